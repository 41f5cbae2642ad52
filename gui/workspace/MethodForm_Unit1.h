#pragma once
// The method dialog of one listed file: which pages take part (all, odd, even
// or a page-range text), in which order, and how the file behaves when all
// files are merged alternately. OK writes the choice into the file's record
// as two texts: PageRange (ascending, for counting) and MergeRange (the
// expression the engine gets, already in the chosen order).

#include "Data_unit1.h"

#include <QDialog>

class QCheckBox;
class QLabel;
class QLineEdit;
class QRadioButton;
class QToolButton;
class TssSkinButton;
class TssSkinForm;

// An up-down control tied to a number field: its arrows step the number in
// the field by one, within Minimum..Maximum, without wrapping around.
class TUpDown : public QWidget
{
    Q_OBJECT

public:
    TUpDown(QLineEdit *associate, QWidget *parent);

    int Minimum() const { return minimum; }
    int Maximum() const { return maximum; }
    void SetRange(int newMinimum, int newMaximum);
    void SetMaximum(int newMaximum) { SetRange(minimum, newMaximum); }

    void StepBy(int steps);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    QLineEdit *associate;
    QToolButton *upButton;
    QToolButton *downButton;
    int minimum = 1;
    int maximum = 100;
};

class TMethodForm : public QDialog
{
    Q_OBJECT

public:
    // `item` is changed only when OK succeeds.
    TMethodForm(QWidget *owner, TItemInfo &item);

    // The pages the current choice of range selects.
    int CountSelectedPages() const;
    // Writes the choice into the record and the alternating switch; false
    // (after telling the user) when the Part text selects nothing.
    bool ApplyMethod();

protected:
    void showEvent(QShowEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;

private:
    void CreatePageRangePanel();
    void CreatePageSortPanel();
    void CreateAlternatePanel();
    void CreateButtons();
    void LayOutAlternatePanel();
    void LayOut();
    void ConnectHandlers();
    void SetTabOrder();

    void FormCreate();
    void FormShow();
    void LoadItem();
    void rbAllClick();
    void rbPartClick();
    void edtPagesChange();
    void cbAlternateClick();
    void rbMixPagesClick();
    void maskEditPageChange();
    void maskEditPageDone();
    void UpdateAlternateControls();
    void SBtnOkClick();
    void SBtnHelpClick();

    TItemInfo &Item;
    bool loaded = false;

    TssSkinForm *ssSkinForm1;
    QLabel *lblTitle;
    QWidget *TntPanel1;
    QLabel *TntLabel1;
    QRadioButton *rbAll;
    QRadioButton *rbOdd;
    QRadioButton *rbEven;
    QRadioButton *rbPart;
    QLineEdit *edtPages;
    QLabel *lblInvalid;
    QWidget *TntPanel2;
    QLabel *TntLabel2;
    QRadioButton *rbSequence;
    QRadioButton *rbReverse;
    QWidget *TntPanel3;
    QCheckBox *cbAlternate;
    QRadioButton *rbMixPages;
    QRadioButton *rbRepeat;
    QLineEdit *maskEditPage;
    TUpDown *UpDownPage;
    QLabel *TntLabel3;
    TssSkinButton *SBtnOk;
    TssSkinButton *SBtnCancel;
    TssSkinButton *SBtnClose;
    TssSkinButton *SBtnHelp;
};
