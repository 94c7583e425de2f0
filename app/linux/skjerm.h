#pragma once

#include <string>

struct xcb_connection_t;

namespace kroppstall::app {

// Opens the display that Qt is going to open, before Qt would abort with a core dump on it, and
// makes sure a platform plugin for it is installed. The connection is held until Qt has its own: a
// server whose last client leaves resets itself, and a client that connects during that reset may
// be turned away.
class Skjermsjekk {
public:
    Skjermsjekk();
    ~Skjermsjekk();
    Skjermsjekk(const Skjermsjekk&) = delete;
    Skjermsjekk& operator=(const Skjermsjekk&) = delete;

    // Empty when the display can be opened; otherwise one line for the user that says which
    // displays and plugins were tried.
    const std::string& Feil() const { return feil_; }

    // The platforms for Qt's -platform when the first that Qt would try cannot work (its display
    // does not answer, or its plugin is missing): the first that can, and those after it. Empty
    // when Qt's own choice works.
    const std::string& Plattform() const { return plattform_; }

private:
    xcb_connection_t* x11_ = nullptr;
    std::string feil_;
    std::string plattform_;
};

} // namespace kroppstall::app
