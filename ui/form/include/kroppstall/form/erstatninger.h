#pragma once

#include <span>
#include <string_view>

namespace kroppstall::form {

// A face to use where the named one is missing.
struct Erstatning {
    std::string_view Familie;
    bool FolgerMedWindows = false; // ships with every Windows the program runs on
};

// Faces of close metrics for `familie`, the closest first; empty for a face with none listed.
std::span<const Erstatning> Erstatninger(std::string_view familie);

} // namespace kroppstall::form
