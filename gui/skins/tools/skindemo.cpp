// Shows every skinned window of the application with its artwork and its
// skinned buttons in the places the backgrounds are drawn for, so the skins
// can be looked at (and photographed) before every window is built.
// Each window is titled "demo-NAME"; closing the last one ends the program.
#include "SSButton.h"
#include "SSForm.h"
#include "SkinArtwork.h"
#include "Tskinprocess.h"

#include <QApplication>
#include <QComboBox>
#include <QDialog>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QTreeWidget>

namespace {

QDialog *skinnedWindow(const QString &name, const QString &background)
{
    auto *window = new QDialog;
    window->setAttribute(Qt::WA_DeleteOnClose);
    window->setWindowTitle(QStringLiteral("demo-") + name);
    auto *skin = new TssSkinForm(window);
    skin->setObjectName(QStringLiteral("ssSkinForm1"));
    skin->SetPicture(SkinArtwork::Picture(background));
    return window;
}

TssSkinButton *button(QWidget *window, const QString &strip, QPoint place, int divNum = 4, bool enabled = true)
{
    auto *skinButton = new TssSkinButton(window);
    skinButton->SetDivNum(divNum);
    skinButton->SetSkin(SkinArtwork::Picture(strip));
    skinButton->SetMask(true);
    skinButton->move(place);
    skinButton->SetEnabled(enabled);
    return skinButton;
}

QLabel *label(QWidget *window, const QString &text, QPoint place, const QString &style = {})
{
    auto *shown = new QLabel(text, window);
    shown->move(place);
    shown->setStyleSheet(style);
    shown->adjustSize();
    return shown;
}

const QString titleStyle = QStringLiteral("color: white; font: bold 14px 'DejaVu Sans';");
const QString bodyStyle = QStringLiteral("color: #1F2A37; font: 12px 'DejaVu Sans';");

void addTitleButtons(QWidget *window, bool minimise)
{
    const int right = window->width();
    if (minimise)
        button(window, "btn_min.png", QPoint(right - 74, 10));
    auto *close = button(window, "btn_close.png", QPoint(right - (minimise ? 42 : 38), minimise ? 10 : 7));
    QObject::connect(close, &TssCustomButton::OnClick, window, &QWidget::close);
}

void showMainWindow()
{
    QDialog *window = skinnedWindow("main", "main.png");
    label(window, QStringLiteral("Quellan PDF Merger"), QPoint(46, 13), titleStyle);
    addTitleButtons(window, true);
    button(window, "btn_addfiles.png", QPoint(16, 53));
    button(window, "btn_method.png", QPoint(134, 53));
    button(window, "btn_options.png", QPoint(252, 53), 4, false);
    button(window, "btn_help.png", QPoint(614, 53));

    auto *list = new QTreeWidget(window);
    list->setGeometry(17, 109, 686, 258);
    list->setFrameShape(QFrame::NoFrame);
    list->setRootIsDecorated(false);
    list->setHeaderLabels({"Item", "File Name", "Size", "Total Pages", "Page Range", "Page Sort"});
    list->addTopLevelItem(new QTreeWidgetItem({"1", "report.pdf", "523KB", "12", "All", "Sequence"}));
    list->addTopLevelItem(new QTreeWidgetItem({"2", "appendix.pdf", "88KB", "3", "Part", "Reverse"}));
    list->header()->resizeSection(0, 60);
    list->header()->resizeSection(1, 150);

    button(window, "btn_remove.png", QPoint(16, 378));
    button(window, "btn_clear.png", QPoint(120, 378));
    button(window, "btn_moveup.png", QPoint(224, 378), 4, false);
    button(window, "btn_movedown.png", QPoint(328, 378));

    label(window, QStringLiteral("Output Setting"), QPoint(38, 427), "color: #1F2A37; font: bold 13px 'DejaVu Sans';");
    label(window, QStringLiteral("File Name:"), QPoint(30, 458), bodyStyle);
    label(window, QStringLiteral("Destination Folder:"), QPoint(30, 490), bodyStyle);
    auto *fileName = new QComboBox(window);
    fileName->addItems({"Customize", "FirstFilename_LastFilename", "LastFilename_FirstFilename"});
    fileName->setGeometry(160, 452, 256, 24);
    auto *folder = new QLineEdit(QStringLiteral("/home/user/Documents"), window);
    folder->setReadOnly(true);
    folder->setGeometry(160, 486, 256, 24);
    button(window, "btn_browse.png", QPoint(424, 484));
    button(window, "btn_open.png", QPoint(504, 484));
    button(window, "btn_merge.png", QPoint(576, 441));
    window->show();
}

void showAddFileDialog()
{
    QDialog *window = skinnedWindow("addfile", "addfile.png");
    label(window, QStringLiteral("Add PDF Files..."), QPoint(16, 11), titleStyle);
    auto *status = label(window, QStringLiteral("/home/user/Documents/annual-report-2024.pdf"), QPoint(56, 60), bodyStyle);
    status->setWordWrap(true);
    status->setFixedSize(340, 36);
    button(window, "dlg_stop.png", QPoint(314, 126));
    window->show();
}

void showMethodDialog()
{
    QDialog *window = skinnedWindow("method", "method.png");
    label(window, QStringLiteral("Merge Method"), QPoint(16, 11), titleStyle);
    addTitleButtons(window, false);
    const QString heading = QStringLiteral("color: #1F2A37; font: bold 12px 'DejaVu Sans';");
    label(window, QStringLiteral("Select Page Range"), QPoint(24, 56), heading);
    label(window, QStringLiteral("Select Page Sort"), QPoint(24, 206), heading);
    label(window, QStringLiteral("Merge all files alternately"), QPoint(24, 268), heading);
    button(window, "dlg_help.png", QPoint(12, 388));
    button(window, "dlg_ok.png", QPoint(260, 388));
    button(window, "dlg_cancel.png", QPoint(358, 388));
    window->show();
}

void showConvertDialog()
{
    QDialog *window = skinnedWindow("convert", "convert.png");
    label(window, QStringLiteral("Quellan PDF Merger"), QPoint(16, 11), titleStyle);
    auto *bar = new TSkinProcess(window);
    bar->setGeometry(20, 62, 400, 20);
    bar->SetImage2(QStringLiteral(QUELLAN_APP_DIR "/Skins/progress.bmp"));
    bar->SetBaseLine(bar->height() / 2 + 1);
    bar->SetExtRange(0, bar->width());
    bar->Setprocess(62);
    button(window, "dlg_stop.png", QPoint(330, 106));
    window->show();
}

void showOptionsDialog()
{
    QDialog *window = skinnedWindow("options", "options.png");
    addTitleButtons(window, false);
    auto *properties = button(window, "tab_properties.png", QPoint(20, 50), 1);
    properties->SetSkin(SkinArtwork::ListImage("tab_properties.png", 0, 2));
    auto *other = button(window, "tab_other.png", QPoint(206, 50), 1);
    other->SetSkin(SkinArtwork::ListImage("tab_other.png", 1, 2));
    auto *panel = new QLabel(window);
    panel->setPixmap(QPixmap::fromImage(SkinArtwork::Picture("options_panel.png")));
    panel->setGeometry(21, 76, 398, 198);
    const QString rowStyle = bodyStyle;
    int y = 96;
    for (const char *caption : {"Title:", "Subject:", "Author:", "Keywords:"}) {
        label(window, caption, QPoint(40, y + 4), rowStyle);
        auto *field = new QComboBox(window);
        field->setEditable(true);
        field->setGeometry(130, y, 270, 24);
        y += 40;
    }
    button(window, "dlg_ok.png", QPoint(232, 294));
    button(window, "dlg_cancel.png", QPoint(330, 294));
    window->show();
}

void showAboutWindow()
{
    QDialog *window = skinnedWindow("about", "about.png");
    const QString small = QStringLiteral("color: white; font: 11px 'DejaVu Sans';");
    const QString bold = QStringLiteral("color: white; font: bold 12px 'DejaVu Sans';");
    label(window, QStringLiteral("About"), QPoint(15, 8), QStringLiteral("color: white; font: bold 13px 'DejaVu Sans';"));
    label(window, QStringLiteral("Support:"), QPoint(15, 184), small);
    label(window, QStringLiteral("support@example.org"), QPoint(68, 184), small + "text-decoration: underline;");
    label(window, QStringLiteral("Home Page:"), QPoint(15, 200), small);
    label(window, QStringLiteral("https://example.org"), QPoint(84, 200), small + "text-decoration: underline;");
    label(window, QStringLiteral("Copyright (C) Quellan"), QPoint(15, 216), small);
    label(window, QStringLiteral("Version:"), QPoint(300, 184), bold);
    label(window, QStringLiteral("1.0.0"), QPoint(362, 184), bold);
    auto *ok = button(window, "about_ok.png", QPoint(330, 200), 3);
    QObject::connect(ok, &TssCustomButton::OnClick, window, &QWidget::close);
    window->show();
}

} // namespace

int main(int argc, char *argv[])
{
    QApplication application(argc, argv);
    showMainWindow();
    showAddFileDialog();
    showMethodDialog();
    showConvertDialog();
    showOptionsDialog();
    showAboutWindow();
    return application.exec();
}
