#pragma once

#include <QSpinBox>

namespace quenda {

// A whole-number field whose typed value beyond a limit becomes that limit when the field is left (UI
// thread). QSpinBox refuses the keystroke that crosses the upper limit, so "3000" typed into a field up to
// 1920 would silently stay "300"; here it is taken as typed and set back to 1920.
class Zahlfeld : public QSpinBox {
    Q_OBJECT
public:
    explicit Zahlfeld(QWidget* parent = nullptr);

protected:
    QValidator::State validate(QString& text, int& pos) const override;
    void fixup(QString& text) const override;
};

} // namespace quenda
