#pragma once
// The application object: command line, single instance, main window, end.

namespace fakvo {

class CZelvaApp
{
public:
    // Runs Faktavo and returns the process exit code: 0 after a normal end, 1 when the
    // command line or the start-up ended it.
    static int Run(int argc, char** argv);
};

} // namespace fakvo
