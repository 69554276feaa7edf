// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The screenshot programs shoot everything twice: at device pixel ratio 1 and at 2, as a
// high-density screen shows it. Qt fixes the ratio when the application starts, so each ratio
// runs in a child process of its own.
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <functional>
#include <iostream>
#include <string>

namespace mosgrid::bench {

// Runs `run` in a child process and waits for it: 0 when it returned 0, 2 when no child could
// be started, 1 otherwise.
inline int RunInChild(const std::function<int()>& run) {
    std::cout.flush();
    const pid_t child = fork();
    if (child < 0) return 2;
    if (child == 0) {
        const int result = run();
        std::cout.flush();
        std::cerr.flush();
        _exit(result);
    }
    int childStatus = 0;
    waitpid(child, &childStatus, 0);
    return WIFEXITED(childStatus) && WEXITSTATUS(childStatus) == 0 ? 0 : 1;
}

// Runs `shoot` in a child process at ratio 1 (file suffix "") and at ratio 2 (suffix "@2x");
// 0 when both return 0.
inline int ShootAtRatios(const std::function<int(const std::string& suffix)>& shoot) {
    int status = 0;
    for (const char* scale : {"1", "2"}) {
        const int result = RunInChild([&] {
            setenv("QT_SCALE_FACTOR", scale, 1);
            return shoot(std::string(scale) == "1" ? "" : "@2x");
        });
        if (result == 2) return 2;
        if (result != 0) status = 1;
    }
    return status;
}

// "name.png" with the suffix before its extension.
inline std::string Suffixed(const std::string& name, const std::string& suffix) {
    const std::size_t dot = name.rfind('.');
    return dot == std::string::npos ? name + suffix : name.substr(0, dot) + suffix + name.substr(dot);
}

}  // namespace mosgrid::bench
