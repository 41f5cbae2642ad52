# The Debian 12 source packages the Windows build is made from. poppler and
# freetype are the versions the Linux build links against, so both builds read
# documents with the same code; qtbase is the Qt the Linux GUI uses.
# shellcheck disable=SC2034
POPPLER_VERSION=22.12.0-2+deb12u3
FREETYPE_VERSION=2.12.1+dfsg-5+deb12u4
QTBASE_VERSION=6.4.2+dfsg-10
PUGIXML_VERSION=1.13-0.2
