#pragma once

#include <QString>

namespace quenda::test {

// The small generated tournament (seed 1, the generator's reference time), made once per test run in a
// temporary folder; a test that changes it works on its own copy.
QString demoVorlage();

} // namespace quenda::test
