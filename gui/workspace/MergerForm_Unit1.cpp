#include "MergerForm_Unit1.h"

#include "MuiContext.h"

#include <QCloseEvent>
#include <QLabel>
#include <QVBoxLayout>

TMergerForm *MergerForm = nullptr;

TMergerForm::TMergerForm(QWidget *parent)
    : QWidget(parent)
    , lblTitle(new QLabel(this))
{
    setObjectName(QStringLiteral("MergerForm"));
    lblTitle->setObjectName(QStringLiteral("lblTitle"));

    const MuiContext *context = CurrentMuiContext();
    const QString title = context ? context->ProductTitle : QString();
    setWindowTitle(title);
    lblTitle->setText(title);

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(lblTitle);
    resize(720, 480);
}

void TMergerForm::closeEvent(QCloseEvent *event)
{
    QWidget::closeEvent(event);
    if (event->isAccepted())
        emit closed();
}
