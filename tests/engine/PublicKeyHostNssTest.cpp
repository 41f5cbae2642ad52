// A host program may use NSS itself. Opening a certificate-encrypted document
// must leave the host's NSS as it was: still initialised, with the host's own
// database and nothing of the user's database left behind.
#include "colligo.h"

#include "Oracles.h"
#include "TempDir.h"
#include "UserCertificates.h"

#include <cert.h>
#include <nss.h>

#include <gtest/gtest.h>

using namespace testing_support;

namespace {

bool hostFinds(const char *nickname)
{
    CERTCertificate *certificate = CERT_FindCertByNickname(CERT_GetDefaultCertDB(), nickname);
    if (!certificate)
        return false;
    CERT_DestroyCertificate(certificate);
    return true;
}

TEST(PublicKeyDocuments, LeaveTheHostsNssAlone)
{
    UserCertificateHome home;
    home.addIdentity("alice");
    TempDir hostDatabase;
    const std::string database = "sql:" + hostDatabase.path();
    ASSERT_EQ(runCommand("certutil -N --empty-password -d " + shellQuote(database)).status, 0);
    ASSERT_EQ(runCommand("pk12util -W '' -d " + shellQuote(database) + " -i "
                         + shellQuote(pubsecFixture("test-only-bob.p12"))).status, 0);
    ASSERT_EQ(NSS_Init(database.c_str()), SECSuccess);

    DocumentHandle handle = OpenPDF(pubsecFixture("aes-128.pdf").c_str(), nullptr);
    ASSERT_GT(handle, 0);
    EXPECT_EQ(GetPageCount(handle), 2);
    ClosePDF(handle);

    EXPECT_TRUE(NSS_IsInitialized());
    EXPECT_TRUE(hostFinds("test-only-bob"));
    EXPECT_FALSE(hostFinds("test-only-alice"));
    // Shutting down succeeds only when nothing still holds NSS objects.
    EXPECT_EQ(NSS_Shutdown(), SECSuccess);
}

} // namespace
