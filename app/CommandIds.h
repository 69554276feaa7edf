// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

namespace mosgrid {

// Command ids of the main menu. They name every menu item; the menu state and the tests find
// the items by them.
enum CommandId : int {
    ID_GAME_EXIT = 32771,
    ID_GAME_CHOOSE = 32773,
    ID_GAME_RESTART = 32807,
    ID_GAME_RANDOM = 32809,
    ID_OTHER_HINTS = 32790,
    ID_OTHER_OPEN_FIELD = 32793,
    ID_OTHER_CHECK = 32811,
    ID_HELP_RULES = 32812,
    ID_VARIANT_PREV = 32821,
    ID_VARIANT_NEXT = 32822,
    ID_APP_ABOUT = 57664,
    ID_OTHER_UNDO = 32830,
    ID_OTHER_REDO = 32831,
    ID_GAME_ADD = 32840,
    ID_GAME_DRAW = 32841,
};

}  // namespace mosgrid
