#include "topo/predefined_types.h"

namespace hvx::mis::topo {

namespace {

// Draw methods: 0 circle, 1 square, 2 rectangle, 3 triangle, 4 hexagon, 5 line, 6 pie,
// 7 hexagon60, 8 hexagon120, 9 omnisector.
//
// Containers hold anything; monitors watch devices and links; arrays and buses hold
// devices. Having legal children, all of these are view types: their nodes can be placed
// in. Devices and links hold nothing.
constexpr PredefinedType kTypes[] = {
    {"Container", "", R"({"Container","Device","Link","Monitor","Array","Bus"})", 2, "views"},
    {"Device", "", "{}", 0, "devices"},
    {"Link", "", "{}", 5, "links"},
    {"Monitor", "", R"({"Device","Link"})", 6, "monitors"},
    {"Array", "", R"({"Device"})", 2, "arrays"},
    {"Bus", "", R"({"Device"})", 5, "buses"},
    {"Host", "Device", "{}", 0, "devices"},
    {"Server", "Host", "{}", 1, "devices"},
    {"Hub", "Device", "{}", 4, "devices"},
    {"Router", "Device", "{}", 3, "devices"},
    {"Bridge", "Device", "{}", 2, "devices"},
    {"Universe", "Container", "{}", 1, "views"},
    {"Network", "Container", "{}", 1, "views"},
    {"Subnetwork", "Network", "{}", 1, "views"},
    {"OmniSector", "Monitor", "{}", 9, "monitors"},
    {"Hexagon", "Monitor", "{}", 7, "monitors"},
    {"Hexagon120", "Monitor", "{}", 8, "monitors"},
    {"Circle", "Monitor", "{}", 0, "monitors"},
};

}  // namespace

std::span<const PredefinedType> predefined_types() { return kTypes; }

}  // namespace hvx::mis::topo
