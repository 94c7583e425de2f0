#pragma once

#include <QObject>

namespace kroppstall::qt {

// Lets screen readers read the form in its reading order and see the display boxes as read-only;
// installed once per process.
void InstallerTilgang();

// In the option group Up and Down move the selection as Left and Right do, as on Windows.
class Pilfilter final : public QObject {
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject* mal, QEvent* hendelse) override;
};

} // namespace kroppstall::qt
