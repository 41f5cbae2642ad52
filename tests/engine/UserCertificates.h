// A temporary home folder for the certificate tests: its NSS database
// (~/.pki/nssdb, the store the engine reads) holds the test identities a test
// asks for. HOME points at it while the object lives.
#pragma once

#include "TempDir.h"

#include <string>

namespace testing_support {

class UserCertificateHome
{
public:
    enum class Database { empty, none };
    explicit UserCertificateHome(Database database = Database::empty);
    ~UserCertificateHome();
    UserCertificateHome(const UserCertificateHome &) = delete;
    UserCertificateHome &operator=(const UserCertificateHome &) = delete;

    // Certificate and private key of tests/fixtures/pubsec/test-only-NAME.p12.
    void addIdentity(const std::string &name);
    // The certificate alone, as a user may hold someone else's.
    void addCertificateOnly(const std::string &name);

private:
    std::string databaseArgument() const;

    TempDir home;
    std::string previousHome;
};

// A file of tests/fixtures/pubsec.
std::string pubsecFixture(const std::string &name);

// Everything written to the process's standard error between construction and
// text(), including what library code writes with stdio.
class StandardErrorCapture
{
public:
    StandardErrorCapture();
    ~StandardErrorCapture();
    StandardErrorCapture(const StandardErrorCapture &) = delete;
    StandardErrorCapture &operator=(const StandardErrorCapture &) = delete;

    std::string text(); // ends the capture

private:
    void restore();

    TempDir dir;
    int savedDescriptor = -1;
};

// The line the engine writes when no recipient of a document can be decrypted.
bool isDecryptionFailureLine(const std::string &text);

} // namespace testing_support
