#include "Aboutform_unit1.h"

#include "FormParts.h"
#include "MuiContext.h"
#include "SSButton.h"
#include "SSForm.h"
#include "ShellOpen.h"
#include "SkinArtwork.h"

#include <QLabel>
#include <QMouseEvent>

namespace {

const QString plainStyle = QStringLiteral("color: white; font: 11px 'DejaVu Sans'; background: transparent;");
const QString boldStyle = QStringLiteral("color: white; font: bold 12px 'DejaVu Sans'; background: transparent;");
const QString headingStyle = QStringLiteral("color: white; font: bold 13px 'DejaVu Sans'; background: transparent;");
const QString linkStyle = plainStyle + QStringLiteral("text-decoration: underline;");

} // namespace

TAboutForm::TAboutForm(QWidget *owner)
    : QDialog(owner)
{
    setObjectName(QStringLiteral("AboutForm"));
    MuiContext *context = CurrentMuiContext();
    setWindowTitle(context ? context->ProductTitle : QString());

    ssSkinForm1 = new TssSkinForm(this);
    ssSkinForm1->setObjectName(QStringLiteral("ssSkinForm1"));
    ssSkinForm1->SetPicture(SkinArtwork::Picture(QStringLiteral("about.png")));

    TntLabel4 = AddLabel("TntLabel4", QStringLiteral("About"), 15, 8, headingStyle);
    TntLabel1 = AddLabel("TntLabel1", QStringLiteral("Support:"), 15, 184, plainStyle);
    lblSupport = AddLinkLabel("lblSupport", 68, 184);
    TntLabel2 = AddLabel("TntLabel2", QStringLiteral("Home Page:"), 15, 200, plainStyle);
    lblHome = AddLinkLabel("lblHome", 84, 200);
    lblCopyright = AddLabel("lblCopyright", QString(), 15, 216, plainStyle);
    TntLabel3 = AddLabel("TntLabel3", QStringLiteral("Version:"), 300, 184, boldStyle);
    lblVersion = AddLabel("lblVersion", QString(), 362, 184, boldStyle);

    ssSkinButton1 = SkinButton(this, "ssSkinButton1", QStringLiteral("about_ok.png"), QPoint(330, 200), 3);
    ssSkinButton1->SetModalResult(mrOk);

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

bool TAboutForm::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::MouseButtonRelease && static_cast<QMouseEvent *>(event)->button() == Qt::LeftButton) {
        if (watched == lblSupport || watched == lblHome) {
            LinkLabelClick(static_cast<QLabel *>(watched));
            return true;
        }
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
    if (parentWidget())
        move(parentWidget()->geometry().center() - rect().center());
}
