#include "ChildProcess.h"

#include <cstdlib>
#include <signal.h>
#include <stdexcept>
#include <sys/wait.h>
#include <unistd.h>

namespace testing_support {

ChildProcess::ChildProcess(const std::string &program, const std::vector<std::string> &arguments,
                           const std::vector<std::string> &environment)
{
    int toChild[2];
    int fromChild[2];
    if (pipe(toChild) != 0 || pipe(fromChild) != 0)
        throw std::runtime_error("pipe failed");
    Pid = fork();
    if (Pid < 0)
        throw std::runtime_error("fork failed");
    if (Pid == 0) {
        dup2(toChild[0], STDIN_FILENO);
        dup2(fromChild[1], STDOUT_FILENO);
        dup2(fromChild[1], STDERR_FILENO);
        close(toChild[0]);
        close(toChild[1]);
        close(fromChild[0]);
        close(fromChild[1]);
        for (const std::string &entry : environment)
            putenv(const_cast<char *>(entry.c_str()));
        std::vector<char *> argv;
        argv.push_back(const_cast<char *>(program.c_str()));
        for (const std::string &argument : arguments)
            argv.push_back(const_cast<char *>(argument.c_str()));
        argv.push_back(nullptr);
        execv(program.c_str(), argv.data());
        _exit(127);
    }
    close(toChild[0]);
    close(fromChild[1]);
    Input = toChild[1];
    OutputPipe = fromChild[0];
}

ChildProcess::~ChildProcess()
{
    if (Pid > 0) {
        kill(Pid, SIGKILL);
        Finish();
    }
}

bool ChildProcess::ReadMore()
{
    char buffer[4096];
    const ssize_t length = read(OutputPipe, buffer, sizeof buffer);
    if (length <= 0)
        return false;
    Pending.append(buffer, static_cast<std::size_t>(length));
    Collected.append(buffer, static_cast<std::size_t>(length));
    return true;
}

std::string ChildProcess::ReadLine()
{
    std::size_t end;
    while ((end = Pending.find('\n')) == std::string::npos) {
        if (!ReadMore()) {
            std::string rest;
            rest.swap(Pending);
            return rest;
        }
    }
    std::string line = Pending.substr(0, end);
    Pending.erase(0, end + 1);
    return line;
}

int ChildProcess::Finish()
{
    if (Input >= 0) {
        close(Input);
        Input = -1;
    }
    while (ReadMore()) {
    }
    close(OutputPipe);
    OutputPipe = -1;
    int status = 0;
    waitpid(Pid, &status, 0);
    Pid = -1;
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

int RunProgram(const std::string &program, const std::vector<std::string> &environment, std::string &output)
{
    ChildProcess child(program, {}, environment);
    const int exitCode = child.Finish();
    output = child.Output();
    return exitCode;
}

} // namespace testing_support
