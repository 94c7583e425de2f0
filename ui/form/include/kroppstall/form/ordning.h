#pragma once

#include "kroppstall/form/layout.h"

#include <span>
#include <string_view>
#include <vector>

namespace kroppstall::form {

// What both backends read off the layout tables, each fact in one place. The orders hold pointers into
// Kontroller.

// A text box that only shows what the program writes: no Change handler, and disabled from the start.
bool ErVisning(const Kontroll& k);
// Can ever hold the focus: input boxes, buttons and options; labels and display boxes never do.
bool KanFokus(const Kontroll& k);
// The first option of its control array by tab index: where the option group starts.
bool StarterGruppe(const Kontroll& k);

// The controls that can hold the focus, by rising tab index: the order Tab moves in.
std::vector<const Kontroll*> Tabrekke();
// Where the focus starts: the first enabled control of the tab order, or nullptr.
const Kontroll* Startfokus();
// Reading order for screen readers: rows from the top, where controls whose heights overlap share a
// row, left to right within a row. Shapes, lines and the picture have no tab index: decoration.
std::vector<const Kontroll*> Leserekke();
// Every control with a tab index by rising tab index, but each label just before the box it names:
// Windows names a box after the label created right before it, and labels take no focus.
std::vector<const Kontroll*> Opprettelsesrekke();

// A face to use where the named one is missing.
struct Erstatning {
    std::string_view Familie;
    bool FolgerMedWindows = false; // ships with every Windows the program runs on
};
// Faces of close metrics for `familie`, the closest first; empty for a face with none listed.
std::span<const Erstatning> Erstatninger(std::string_view familie);

} // namespace kroppstall::form
