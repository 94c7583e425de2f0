#pragma once

#include <QString>
#include <string_view>

class QLabel;

namespace kroppstall::qt {

// The installed family to ask for in place of the layout's face `navn`: the face itself where it is
// installed, otherwise its closest stand-in.
QString Familie(std::string_view navn);

// A stand-in face may be wider than the face the layout was measured with; then a label's text is
// narrowed just enough to fit (as a condensed face would), never made lower.
void TilpassBredde(QLabel* etikett);

} // namespace kroppstall::qt
