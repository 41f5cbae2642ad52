#pragma once
// The About window: version, support and home-page links, legal notice, all
// taken from the running application's context.

#include <QDialog>

class QLabel;
class TssSkinButton;
class TssSkinForm;

class TAboutForm : public QDialog
{
    Q_OBJECT

public:
    explicit TAboutForm(QWidget *owner);

    TssSkinForm *ssSkinForm1;
    QLabel *TntLabel4;
    QLabel *lblProduct;
    QLabel *lblTagline;
    QLabel *TntLabel1;
    QLabel *lblSupport;
    QLabel *TntLabel2;
    QLabel *lblHome;
    QLabel *lblCopyright;
    QLabel *TntLabel3;
    QLabel *lblVersion;
    TssSkinButton *ssSkinButton1;

    // Opens the clicked link label's caption with the desktop's handler.
    void LinkLabelClick(QLabel *link);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    void showEvent(QShowEvent *event) override;

private:
    QLabel *AddLabel(const char *name, const QString &text, const QString &style);
    QLabel *AddLinkLabel(const char *name);
    void LayOut();
};
