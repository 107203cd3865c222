#pragma once

#include "demo/Aufbau.h"
#include "demo/Generator.h"

#include <vector>

namespace quenda::demo {

// The content of the generated tournaments: the fixed cases of FesteIds.h, then as many further
// competitions as the size asks for, then the other tournament.
struct Profil {
    int spieler = 0;
    int vereine = 0;
    std::vector<int> tische; // tables per hall layout
    int gruppenZiel = 0;     // draw groups of the main tournament
    std::vector<int> gruppenGroessen;
    int gruppenMin = 0;
    int gruppenMax = 0;
    std::vector<int> koFelder;
};

Profil profil(Groesse groesse);
void hauptturnier(Aufbau& aufbau, Turnierteil& teil, const Profil& profil);
void fremdturnier(Aufbau& aufbau, Turnierteil& teil);

} // namespace quenda::demo
