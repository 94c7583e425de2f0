#pragma once

class QProcess;

namespace kroppstall::qt {

// Lets a launched process run on by itself: nothing hears from it again, and it goes when it ends.
void Slipp(QProcess* prosess);

} // namespace kroppstall::qt
