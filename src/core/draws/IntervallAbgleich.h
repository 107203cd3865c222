#pragma once

namespace quenda {

class AusloList;
class TDM;
struct AusloUmgebung;
struct Turnierkontext;

// Brings the draw groups of the list up to date before the interval window opens (no transfer runs):
// every released group of the tournament is added (with its stored interval) or refreshed, without log
// lines; nothing is removed. Runs the interval statement on QuerySQL2 of the UI thread's TDM.
// Throws DatabaseError, ConversionError, IoError.
void intervallAuslosungenAbgleichen(TDM& tdm, const Turnierkontext& kontext, AusloList& liste,
                                    const AusloUmgebung& umgebung);

} // namespace quenda
