#include "UserCertificates.h"

#include "Oracles.h"
#include "PdfBuilder.h"

#include <cstdio>
#include <cstdlib>
#include <fcntl.h>
#include <filesystem>
#include <regex>
#include <stdexcept>
#include <unistd.h>

namespace testing_support {

namespace {

void run(const std::string &command)
{
    CommandResult result = runCommand(command);
    if (result.status != 0)
        throw std::runtime_error(command + " failed: " + result.output);
}

} // namespace

std::string pubsecFixture(const std::string &name)
{
    return std::string(PUBSEC_FIXTURES) + "/" + name;
}

UserCertificateHome::UserCertificateHome(Database database)
{
    if (const char *home = std::getenv("HOME"))
        previousHome = home;
    setenv("HOME", home.path().c_str(), 1);
    if (database == Database::none)
        return;
    std::filesystem::create_directories(home.file(".pki/nssdb"));
    run("certutil -N --empty-password -d " + databaseArgument());
}

UserCertificateHome::~UserCertificateHome()
{
    if (previousHome.empty())
        unsetenv("HOME");
    else
        setenv("HOME", previousHome.c_str(), 1);
}

std::string UserCertificateHome::databaseArgument() const
{
    return shellQuote("sql:" + home.file(".pki/nssdb"));
}

void UserCertificateHome::addIdentity(const std::string &name)
{
    run("pk12util -W '' -d " + databaseArgument() + " -i " + shellQuote(pubsecFixture("test-only-" + name + ".p12")));
}

void UserCertificateHome::addCertificateOnly(const std::string &name)
{
    run("certutil -A -t ,, -a -n " + shellQuote("test-only-" + name) + " -d " + databaseArgument() + " -i "
        + shellQuote(pubsecFixture("test-only-" + name + ".cert.pem")));
}

StandardErrorCapture::StandardErrorCapture()
{
    std::fflush(stderr);
    savedDescriptor = dup(STDERR_FILENO);
    int file = open(dir.file("stderr").c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
    dup2(file, STDERR_FILENO);
    close(file);
}

StandardErrorCapture::~StandardErrorCapture()
{
    restore();
}

void StandardErrorCapture::restore()
{
    if (savedDescriptor < 0)
        return;
    std::fflush(stderr);
    dup2(savedDescriptor, STDERR_FILENO);
    close(savedDescriptor);
    savedDescriptor = -1;
}

std::string StandardErrorCapture::text()
{
    restore();
    return readFile(dir.file("stderr"));
}

bool isDecryptionFailureLine(const std::string &text)
{
    // NSS's error codes are negative numbers.
    static const std::regex line("错误代码:\t-[0-9]+\n");
    return std::regex_match(text, line);
}

} // namespace testing_support
