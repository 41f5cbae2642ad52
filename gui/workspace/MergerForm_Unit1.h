#pragma once
// The main window. It shows the product title; closing it ends the application.

#include <QWidget>

class QLabel;

class TMergerForm : public QWidget
{
    Q_OBJECT

public:
    explicit TMergerForm(QWidget *parent = nullptr);

signals:
    void closed();

protected:
    void closeEvent(QCloseEvent *event) override;

private:
    QLabel *lblTitle;
};

// The main window of the running application; null outside its run.
extern TMergerForm *MergerForm;
