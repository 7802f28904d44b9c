// Every picture and sound the game loads, by file name in the data directory. Start-up checks
// them all before the window opens; a test holds the list to what the pictures' and sounds'
// generator writes and to what the game really asks for.
#include "game/DataFiles.h"

namespace {

const char* const kPictures[] = {
    "0big.bmp",         "0small.bmp",       "1big.bmp",         "1small.bmp",
    "2big.bmp",         "2small.bmp",       "3big.bmp",         "3small.bmp",
    "4big.bmp",         "4small.bmp",       "5big.bmp",         "5small.bmp",
    "6big.bmp",         "6small.bmp",       "7big.bmp",         "7small.bmp",
    "8big.bmp",         "8small.bmp",       "9big.bmp",         "9small.bmp",
    "abig.bmp",         "arrowl0.bmp",      "arrowl1.bmp",      "arrowr0.bmp",
    "arrowr1.bmp",      "asmall.bmp",       "bad0.bmp",         "bad1.bmp",
    "bad2.bmp",         "bad3.bmp",         "bad4.bmp",         "bad5.bmp",
    "badflag0.bmp",     "badflag1.bmp",     "badlose0.bmp",     "badlose1.bmp",
    "badlose2.bmp",     "badwin0.bmp",      "badwin1.bmp",      "badwin2.bmp",
    "ball0.bmp",        "ball1.bmp",        "ball2.bmp",        "ball3.bmp",
    "ball4.bmp",        "ball5.bmp",        "ball6.bmp",        "ball7.bmp",
    "ball8.bmp",        "bbig.bmp",         "bigfish0.bmp",     "bigfish1.bmp",
    "bigfish2.bmp",     "board.bmp",        "bonus0.bmp",       "bonus1.bmp",
    "bonus2.bmp",       "bonus3.bmp",       "bonus4.bmp",       "bonus5.bmp",
    "breakball1-0.bmp", "breakball1-1.bmp", "breakball1-2.bmp", "breakball2-0.bmp",
    "breakball2-1.bmp", "breakball2-2.bmp", "breakball3-0.bmp", "breakball3-1.bmp",
    "breakball3-2.bmp", "breakball4-0.bmp", "breakball4-1.bmp", "breakball4-2.bmp",
    "breakball5-0.bmp", "breakball5-1.bmp", "breakball5-2.bmp", "breakball6-0.bmp",
    "breakball6-1.bmp", "breakball6-2.bmp", "breakball7-0.bmp", "breakball7-1.bmp",
    "breakball7-2.bmp", "breakball8-0.bmp", "breakball8-1.bmp", "breakball8-2.bmp",
    "bridge.bmp",       "broom0.bmp",       "broom1.bmp",       "broom2.bmp",
    "broom3.bmp",       "bsmall.bmp",       "cbig.bmp",         "crab.bmp",
    "crab01.bmp",       "crab02.bmp",       "crab03.bmp",       "crab1.bmp",
    "crab2.bmp",        "crab3.bmp",        "crabhitted1.bmp",  "crabhitted2.bmp",
    "crableg.bmp",      "crabthrow1.bmp",   "crabthrow2.bmp",   "crabthrow3.bmp",
    "crabthrow4.bmp",   "csmall.bmp",       "dbig.bmp",         "dog0.bmp",
    "dog1.bmp",         "dog2.bmp",         "dsmall.bmp",       "ebig.bmp",
    "el0.bmp",          "el1.bmp",          "el2.bmp",          "esmall.bmp",
    "exit.bmp",         "fbig.bmp",         "fish0.bmp",        "fish1.bmp",
    "fish2.bmp",        "fish3.bmp",        "fish4.bmp",        "fish5.bmp",
    "fish6.bmp",        "fish7.bmp",        "fsmall.bmp",       "gameover.bmp",
    "gbig.bmp",         "gear0.bmp",        "gear1.bmp",        "gear2.bmp",
    "gsmall.bmp",       "hbig.bmp",         "hiscore.bmp",      "hsmall.bmp",
    "hy.bmp",           "ibig.bmp",         "insect0.bmp",      "insect00.bmp",
    "insect01.bmp",     "insect02.bmp",     "insect03.bmp",     "insect1.bmp",
    "insect2.bmp",      "insect3.bmp",      "insecthitted.bmp", "ismall.bmp",
    "jbig.bmp",         "jsmall.bmp",       "kbig.bmp",         "ksmall.bmp",
    "lbig.bmp",         "life.bmp",         "line.bmp",         "lsmall.bmp",
    "mask.bmp",         "mbig.bmp",         "msmall.bmp",       "nbig.bmp",
    "nsmall.bmp",       "obig.bmp",         "option.bmp",       "osmall.bmp",
    "p10.bmp",          "p14.bmp",          "p18.bmp",          "p22.bmp",
    "p26.bmp",          "p30.bmp",          "p34.bmp",          "p38.bmp",
    "p42.bmp",          "p46.bmp",          "p50.bmp",          "p54.bmp",
    "p58.bmp",          "p62.bmp",          "p66.bmp",          "p70.bmp",
    "p74.bmp",          "p78.bmp",          "p82.bmp",          "p86.bmp",
    "p90.bmp",          "pattern0.bmp",     "pattern1.bmp",     "pattern10.bmp",
    "pattern11.bmp",    "pattern2.bmp",     "pattern3.bmp",     "pattern4.bmp",
    "pattern5.bmp",     "pattern6.bmp",     "pattern7.bmp",     "pattern8.bmp",
    "pattern9.bmp",     "pbig.bmp",         "psmall.bmp",       "qbig.bmp",
    "qsmall.bmp",       "rbig.bmp",         "rect.bmp",         "score0.bmp",
    "score1.bmp",       "score2.bmp",       "score3.bmp",       "score4.bmp",
    "score5.bmp",       "score6.bmp",       "score7.bmp",       "score8.bmp",
    "score9.bmp",       "rsmall.bmp",       "sbig.bmp",         "sgear0.bmp",
    "sgear1.bmp",       "sgear2.bmp",       "snakebody1.bmp",   "snakebody2.bmp",
    "snakebody3.bmp",   "snakehead1.bmp",   "snakehead2.bmp",   "snakehead3.bmp",
    "snakehead4.bmp",   "ssmall.bmp",       "stone0.bmp",       "stone1.bmp",
    "stone10.bmp",      "stone2.bmp",       "stone3.bmp",       "stone4.bmp",
    "stone5.bmp",       "stone6.bmp",       "stone7.bmp",       "stone8.bmp",
    "stone9.bmp",       "tbig.bmp",         "tsmall.bmp",       "ubig.bmp",
    "usmall.bmp",       "vbig.bmp",         "victory.bmp",      "vsmall.bmp",
    "warnt0.bmp",       "warnt1.bmp",       "warnt2.bmp",       "warnt3.bmp",
    "warnt4.bmp",       "wbig.bmp",         "welcome.bmp",      "wizard.bmp",
    "wizard1.bmp",      "wizardball.bmp",   "wizardball1.bmp",  "wizardball2.bmp",
    "wizardhitted.bmp", "wizardweapon.bmp", "wsmall.bmp",       "xbig.bmp",
    "xsmall.bmp",       "ybig.bmp",         "ysmall.bmp",       "zbig.bmp",
    "zsmall.bmp",
};

const char* const kSounds[] = {
    "backnormal.wav", "ben.wav",  "bonus.wav", "bounce.wav", "breake.wav",
    "clear.wav",      "fall.wav", "go.wav",    "happy.wav",  "hit.wav",
    "light.wav",      "lose.wav", "menu.wav",  "shoot.wav",  "twoball.wav",
};

}  // namespace

std::vector<std::string> GameDataFiles() {
    std::vector<std::string> names(std::begin(kPictures), std::end(kPictures));
    names.insert(names.end(), std::begin(kSounds), std::end(kSounds));
    return names;
}
