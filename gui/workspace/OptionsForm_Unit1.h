#pragma once
// The options dialog: document properties for the output and the "open after
// merging" choice, on two tabs. Its values reach nothing else (the engine
// takes no document properties), which is why the command that opens it is
// hidden; it is kept so it can be finished without redrawing the window.

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
    explicit TOptionsForm(QWidget *owner);

    int SelectedTab() const { return selectedTab; }
    void btnPropertiesClick();
    void btnOtherClick();

    TssSkinForm *ssSkinForm1;
    TssSkinButton *btnClose;
    TssSkinButton *btnProperties;
    TssSkinButton *btnOther;
    QWidget *PanelProperties;
    QLabel *TntImage1;
    QLabel *lblTitle;
    QLabel *lblSubject;
    QLabel *lblAuthor;
    QLabel *lblKeywords;
    QComboBox *TntComboBox1;
    QComboBox *TntComboBox2;
    QComboBox *TntComboBox3;
    QComboBox *TntComboBox4;
    QWidget *PanelOther;
    QLabel *TntImage2;
    QCheckBox *cbOpenFile;
    TssSkinButton *ssSkinButton1;
    TssSkinButton *ssSkinButton2;

protected:
    void showEvent(QShowEvent *event) override;

private:
    void CreatePanels();
    void ShowTab();
    TssSkinButton *AddButton(const char *name, const QString &strip, QPoint place, int modalResult);

    int selectedTab = 0;
};
