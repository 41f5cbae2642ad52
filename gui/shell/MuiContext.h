#pragma once
// The context of the running application: its folders, names, version and
// web links. Built by the application object before any window exists and
// only read afterwards; every window reaches it through CurrentMuiContext.

#include <QString>

struct MuiContext
{
    QString ProgramFolder;       // folder of the launcher, ending with a separator
    QString ApplicationFolder;   // ProgramFolder + "sys/soft/" + ProductTitle + "/"
    QString CompanyName;
    QString ProductTitle;
    QString Version;
    QString HomePageLink;
    QString SupportLink;
    QString NoticeText;
};

// The folders and names for a program at `programPath` running under `title`.
MuiContext MakeMuiContext(const QString &programPath, const QString &title);

// The context of the running application; null outside the application's run.
MuiContext *CurrentMuiContext();

// Publishes a context for as long as this object lives.
class MuiContextPublication
{
public:
    explicit MuiContextPublication(MuiContext *context);
    ~MuiContextPublication();
    MuiContextPublication(const MuiContextPublication &) = delete;
    MuiContextPublication &operator=(const MuiContextPublication &) = delete;

private:
    MuiContext *Previous;
};
