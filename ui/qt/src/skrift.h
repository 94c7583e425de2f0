#pragma once

#include <QFont>
#include <QString>
#include <QStringList>
#include <string_view>
#include <utility>
#include <vector>

class QLabel;

namespace kroppstall::qt {

// The installed family to ask for in place of the layout's face `navn`: the face itself where it is
// installed, otherwise its closest stand-in.
QString Familie(std::string_view navn);

// A stand-in face may be wider than the face the layout was measured with; then the labels' texts
// are narrowed just enough that every text each of them can show fits (as a condensed face would),
// never made lower. The labels share one stretch, so that a table of them reads in one face.
void TilpassBredde(const std::vector<std::pair<QLabel*, QStringList>>& etiketter);

// The widest text a number written into a label can take in `skrift`: three integer digits and one
// decimal, each the font's widest digit, around the wider of the two decimal separators.
QString VidesteTall(const QFont& skrift);

} // namespace kroppstall::qt
