#pragma once
// Runs a real program as a child process, talking to it through pipes.

#include <string>
#include <vector>

namespace testing_support {

class ChildProcess
{
public:
    // Starts `program` with the arguments; `environment` entries ("NAME=value")
    // are added to the test's own environment.
    ChildProcess(const std::string &program, const std::vector<std::string> &arguments,
                 const std::vector<std::string> &environment = {});
    ~ChildProcess();
    ChildProcess(const ChildProcess &) = delete;
    ChildProcess &operator=(const ChildProcess &) = delete;

    // One line of the child's standard output (without its line feed); empty at its end.
    std::string ReadLine();
    // Closes the child's standard input, reads the rest of its output, waits
    // for it and returns its exit code (-1 when it did not exit normally).
    int Finish();

    const std::string &Output() const { return Collected; }

private:
    bool ReadMore();

    int Pid = -1;
    int Input = -1;
    int OutputPipe = -1;
    std::string Pending;
    std::string Collected;
};

// Runs the program to its end; its output (standard output and error) goes to `output`.
int RunProgram(const std::string &program, const std::vector<std::string> &environment, std::string &output);

} // namespace testing_support
