#pragma once
// The options dialog, on two tabs: the document information the merges give
// their output (title, subject, author, keywords), and how a merge ends and
// what it keeps (open the result at once; keep the whole document: bookmarks,
// links, forms, tags, layers, metadata...; add a bookmark for each file). OK hands the values back to the main
// window, which keeps them; Cancel and the close button change nothing.

#include "OutputOptions.h"

#include <QDialog>

class QCheckBox;
class QComboBox;
class QLabel;
class QWidget;
class TssSkinButton;
class TssSkinForm;

class TOptionsForm : public QDialog
{
    Q_OBJECT

public:
    TOptionsForm(QWidget *owner, const TOutputOptions &values = TOutputOptions());

    // The values as the dialog shows them now.
    TOutputOptions Values() const;

    int SelectedTab() const { return selectedTab; }
    void btnPropertiesClick();
    void btnOtherClick();

    TssSkinForm *ssSkinForm1;
    QLabel *lblCaption;
    TssSkinButton *btnClose;
    TssSkinButton *btnProperties;
    TssSkinButton *btnOther;
    QWidget *PanelProperties = nullptr;
    QLabel *TntImage1 = nullptr;
    QLabel *lblTitle;
    QLabel *lblSubject;
    QLabel *lblAuthor;
    QLabel *lblKeywords;
    QComboBox *TntComboBox1;
    QComboBox *TntComboBox2;
    QComboBox *TntComboBox3;
    QComboBox *TntComboBox4;
    QWidget *PanelOther = nullptr;
    QLabel *TntImage2 = nullptr;
    QCheckBox *cbOpenFile;
    QCheckBox *cbKeepNavigation;
    QLabel *lblKeepNavigationNote;
    QCheckBox *cbBookmarkPerFile;
    TssSkinButton *ssSkinButton1;
    TssSkinButton *ssSkinButton2;

protected:
    void showEvent(QShowEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void CreatePanels();
    void CreatePropertiesPanel();
    void CreateOtherPanel();
    void LayOut();
    QWidget *PanelWithBackground(const char *name, const char *imageName, QLabel *&image);
    QCheckBox *CheckBox(QWidget *panel, const char *name, const QString &caption);
    void LoadValues(const TOutputOptions &values);
    void SetTabOrder();
    void ShowTab();
    TssSkinButton *AddButton(const char *name, const QString &strip, int modalResult, const QString &caption = QString());

    int selectedTab = 0;
};
