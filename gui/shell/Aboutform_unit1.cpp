#include "Aboutform_unit1.h"

#include "FormParts.h"
#include "MuiContext.h"
#include "SSButton.h"
#include "SSForm.h"
#include "ShellOpen.h"

#include <QKeyEvent>
#include <QLabel>
#include <QMouseEvent>

namespace {

const QString plainStyle = QStringLiteral("color: white; font: 11px 'DejaVu Sans'; background: transparent;");
const QString boldStyle = QStringLiteral("color: white; font: bold 12px 'DejaVu Sans'; background: transparent;");
const QString headingStyle = QStringLiteral("color: white; font: bold 13px 'DejaVu Sans'; background: transparent;");
const QString linkStyle = plainStyle + QStringLiteral("text-decoration: underline;");
const QString productStyle = QStringLiteral("color: white; font: bold 24px 'DejaVu Sans'; background: transparent;");
const QString taglineStyle = QStringLiteral("color: #C9D3E0; font: 13px 'DejaVu Sans'; background: transparent;");

// A value sits right after its caption, however long the caption is in the
// user's language.
void PlaceAfter(QLabel *value, const QLabel *caption)
{
    value->move(caption->geometry().right() + 6, caption->y());
}

} // namespace

TAboutForm::TAboutForm(QWidget *owner)
    : QDialog(owner)
{
    setObjectName(QStringLiteral("AboutForm"));
    MuiContext *context = CurrentMuiContext();
    setWindowTitle(context ? context->ProductTitle : QString());

    ssSkinForm1 = SkinForm(this, QStringLiteral("about.png"));

    TntLabel4 = AddLabel("TntLabel4", tr("About"), 15, 8, headingStyle);
    lblProduct = AddLabel("lblProduct", context ? context->ProductTitle : QString(), 112, 68, productStyle);
    lblTagline = AddLabel("lblTagline", tr("Join PDF files into one, page by page."), 113, 102, taglineStyle);
    lblTagline->setWordWrap(true); // two lines in a language that needs them
    lblTagline->setFixedWidth(295);
    lblTagline->adjustSize();
    TntLabel1 = AddLabel("TntLabel1", tr("Support:"), 15, 184, plainStyle);
    lblSupport = AddLinkLabel("lblSupport", 68, 184);
    TntLabel2 = AddLabel("TntLabel2", tr("Home Page:"), 15, 200, plainStyle);
    lblHome = AddLinkLabel("lblHome", 84, 200);
    lblCopyright = AddLabel("lblCopyright", QString(), 15, 216, plainStyle);
    // The version sits under the product's name, clear of the long support link.
    TntLabel3 = AddLabel("TntLabel3", tr("Version:"), 113, 142, boldStyle);
    lblVersion = AddLabel("lblVersion", QString(), 175, 142, boldStyle);
    PlaceAfter(lblSupport, TntLabel1);
    PlaceAfter(lblHome, TntLabel2);
    PlaceAfter(lblVersion, TntLabel3);

    ssSkinButton1 = SkinButton(this, "ssSkinButton1", QStringLiteral("about_ok.png"), QPoint(330, 200), 3, tr("OK"));
    ssSkinButton1->SetModalResult(mrOk);
    ssSkinButton1->setFocus();
    for (QLabel *link : { lblSupport, lblHome })
        link->setFocusPolicy(Qt::TabFocus);

    if (context) {
        lblVersion->setText(context->Version);
        lblSupport->setText(context->SupportLink);
        lblHome->setText(context->HomePageLink);
        lblCopyright->setText(context->NoticeText);
    }
    for (QLabel *label : { lblVersion, lblSupport, lblHome, lblCopyright })
        label->adjustSize();
}

QLabel *TAboutForm::AddLabel(const char *name, const QString &text, int left, int top, const QString &style)
{
    return Label(this, name, text, QPoint(left, top), style);
}

QLabel *TAboutForm::AddLinkLabel(const char *name, int left, int top)
{
    QLabel *link = AddLabel(name, QString(), left, top, linkStyle);
    link->setCursor(Qt::PointingHandCursor);
    link->installEventFilter(this);
    return link;
}

// A click on a link, or Enter or Space on a link that has the focus.
bool TAboutForm::eventFilter(QObject *watched, QEvent *event)
{
    if (watched != lblSupport && watched != lblHome)
        return QDialog::eventFilter(watched, event);
    bool follow = event->type() == QEvent::MouseButtonRelease
                  && static_cast<QMouseEvent *>(event)->button() == Qt::LeftButton;
    if (event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent *>(event)->key();
        follow = key == Qt::Key_Return || key == Qt::Key_Enter || key == Qt::Key_Space;
    }
    if (follow) {
        LinkLabelClick(static_cast<QLabel *>(watched));
        return true;
    }
    return QDialog::eventFilter(watched, event);
}

void TAboutForm::LinkLabelClick(QLabel *link)
{
    ShellOpen(link->text());
}

void TAboutForm::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    CentreOnOwner(this);
}
