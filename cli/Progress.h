// A one-line progress bar on standard error, drawn only when it is a terminal.
#pragma once

#include <string>

namespace lumora::cli {

class Progress {
public:
    explicit Progress(long total);
    ~Progress(); // ends the line if one was drawn
    Progress(const Progress &) = delete;
    Progress &operator=(const Progress &) = delete;

    // Before the item is worked on: "[#####     ] 3/10 shot.0003.exr".
    void show(long done, const std::string &item);

private:
    long total_;
    bool drawn_ = false;
    bool terminal_;
};

} // namespace lumora::cli
