#include "tools/orvik-sim/menu_layout.h"

#include <array>

namespace orviksim {

namespace {

constexpr MenuRule kBlank{};

// Index = "EX" number. Custom-key items offer 52 keys, "TONE F" 50 tone frequencies.
// clang-format off
constexpr std::array<MenuRule, kMenuSlotCount> kMenuItems{{
    //  kind digits options mult    min     max initial
    kBlank,
    {    1,   1,   2,    1,     0,     0,     1},  //  1 EXT MNU
    {    1,   1,   2,    1,     0,     0,     0},  //  2 A&FDIAL
    {   16,   2,   1,    1,     1,    12,     0},  //  3 APO
    {   16,   3,   1,    1,     1,   255,     0},  //  4 BCN TIM
    {   46,  41,   0,    1,     0,     3,     1},  //  5 BCN TXT
    {    1,   1,   3,    1,     0,     0,     1},  //  6 BEEPTON
    {   52,   3,   2,    1,     0,   201,    10},  //  7 BEEPVOL
    {    1,   1,   2,    1,     0,     0,     1},  //  8 CAT RTS
    {    1,   1,   4,    1,     0,     0,     0},  //  9 CAT TOT
    {    1,   1,   4,    1,     1,     0,     1},  // 10 CATRATE
    {   49,   1,   2,    1,     0,     0,     0},  // 11 CLAR
    {    1,   1,   2,    1,     0,     0,     0},  // 12 CLK SFT
    {    0,   2,   0,    1,     1,    24,    24},  // 13 CONT
    {    1,   1,   2,    1,     0,     0,     0},  // 14 CW AUTO
    {   44,   1,   3,    1,     0,     0,     0},  // 15 CW BFO
    {   16,   3,   1,   10,    30,  3000,    25},  // 16 CW DLY
    {    1,   1,   2,    1,     0,     0,     0},  // 17 CW KEY
    {    1,   1,   4,    1,     0,     0,     0},  // 18 CW QSK
    {    1,   1,   2,    1,     0,     0,     0},  // 19 CWPADDL
    {   40,   2,   5,    1,     0,     0,     8},  // 20 CWPITCH
    {    0,   2,   0,    1,     4,    60,    12},  // 21 CWSPEED
    {   52,   3,   2,    1,     0,   201,    10},  // 22 CWSTONE
    {    1,   1,   3,    1,     0,     0,     0},  // 23 CWTRAIN
    {    9,   2,   0,    1,    25,    45,    30},  // 24 CWWEIGT
    {    4,   4,   0,   10, -3000,  3000,     0},  // 25 D DISP
    {   43,   1,   3,    1,     0,     0,     0},  // 26 D TYPE
    kBlank,
    kBlank,
    {    1,   1,   5,    1,     0,     0,     1},  // 29 DIALSTP
    {   51,   3,   1,    1,     0,   100,     0},  // 30 DIG VOX
    {    1,   1,   2,    1,     0,     0,     0},  // 31 EMERGEN
    {    1,   1,   4,    1,     0,     0,     1},  // 32 KEYHOLD
    {    1,   1,   3,    1,     0,     0,     0},  // 33 LOCKMOD
    {    1,   1,   2,    1,     0,     0,     1},  // 34 M-TUNE
    {    1,   1,   2,    1,     0,     0,     0},  // 35 MEM GRP
    {    1,   1,   2,    1,     0,     0,     0},  // 36 MEM TAG
    {   45,   1,   0,    1,     0,     9,     0},  // 37 MIC EQ
    {    1,   1,   3,    1,     0,     0,     1},  // 38 MICGAIN
    {    1,   1,   2,    1,     0,     0,     1},  // 39 MICSCAN
    kBlank,
    kBlank,
    {    1,   2,  52,    1,     0,     0,    19},  // 42 P M-DWN
    {    1,   2,  52,    1,     0,     0,    20},  // 43 P M-FST
    {    1,   2,  52,    1,     0,     0,    21},  // 44 P M-UP
    {   15,   1,   2,    1,     0,     0,     1},  // 45 PEAKHLD
    {    1,   2,  52,    1,     0,     0,    11},  // 46 PNL-C.S
    {    4,   3,   0,    1,   -20,    20,     5},  // 47 QSPL F
    {    0,   3,   0,    1,     5,   100,   100},  // 48 RFPOWER
    {    1,   1,   3,    1,     0,     0,     0},  // 49 RPT
    {    2,   3,   0,    1,     0,   999,    10},  // 50 RPT SFT
    {    1,   1,   4,    1,     1,     0,     1},  // 51 RTY SFT
    {    1,   1,   2,    1,     1,     0,     2},  // 52 RTY TON
    {    1,   1,   2,    1,     0,     0,     0},  // 53 RTYRPOL
    {    1,   1,   2,    1,     0,     0,     0},  // 54 RTYTPOL
    {   16,   2,   1,    1,     1,    10,     5},  // 55 SCN RES
    {   48,   1,   6,    1,     0,     0,     2},  // 56 SELDIAL
    {    1,   1,   3,    1,     0,     0,     0},  // 57 SQL TYP
    {   42,   1,   2,    1,     0,     0,     1},  // 58 SQL/RFG
    {    1,   1,   2,    1,     0,     0,     0},  // 59 STBY BP
    {   50,   2,  50,    1,     0,     0,     8},  // 60 TONE F
    {   16,   2,   1,    1,     1,    20,     0},  // 61 TOT
    {    1,   1,   5,    1,     0,     0,     2},  // 62 TUNER
    {    0,   2,   0,  100,   100,  3000,     5},  // 63 VOX DLY
    {   51,   3,   0,    1,     1,   100,    50},  // 64 VOXGAIN
    {   14,  11,  11,    1,     0,     0,  2047},  // 65 MY BAND
    {   41,   6,   6,    1,     0,     0,    63},  // 66 MY MODE
    {   47,   0,   0,    1,     0,     8,     4},  // 67 DIM
}};
// clang-format on

}  // namespace

const MenuRule& menuItem(int index) {
    if (index < 0 || index >= kMenuSlotCount) return kBlank;
    return kMenuItems[static_cast<std::size_t>(index)];
}

}  // namespace orviksim
