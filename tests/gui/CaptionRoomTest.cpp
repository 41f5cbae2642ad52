// Every window makes room for its texts: in each language, and with every
// text half as long again, each caption (labels, check boxes, radio buttons,
// skinned buttons, the list's headings) gets at least the room it needs,
// inside its window and clear of the others, and the window's picture grows
// with the window. In English the windows keep their pictures' sizes.
#include "AddFileForm_Unit1.h"
#include "Aboutform_unit1.h"
#include "ConvertForm_Unit1.h"
#include "MergerForm_Unit1.h"
#include "MethodForm_Unit1.h"
#include "OptionsForm_Unit1.h"
#include "SSButton.h"
#include "SSForm.h"
#include "SkinArtwork.h"
#include "Translations.h"
#include "WorkspaceSupport.h"

#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QHeaderView>
#include <QLabel>
#include <QTableView>

#include <functional>
#include <memory>
#include <optional>

using namespace workspace_testing;

namespace {

// The words a part shows; empty for parts without any.
QString Caption(const QWidget *part)
{
    if (auto *skinned = qobject_cast<const TssSkinButton *>(part))
        return skinned->Caption();
    if (auto *label = qobject_cast<const QLabel *>(part))
        return label->text();
    if (auto *button = qobject_cast<const QAbstractButton *>(part))
        return button->text();
    return {};
}

QRect PlaceInWindow(const QWidget *part, const QWidget *window)
{
    return QRect(part->mapTo(window, QPoint(0, 0)), part->size());
}

// The part shows its whole caption.
void ExpectWholeCaption(const QWidget *part)
{
    if (auto *skinned = qobject_cast<const TssSkinButton *>(part)) {
        EXPECT_EQ(skinned->ShownCaption(), skinned->Caption());
        return;
    }
    auto *label = qobject_cast<const QLabel *>(part);
    if (label && label->wordWrap()) {
        EXPECT_GE(part->height(), label->heightForWidth(part->width()));
        return;
    }
    EXPECT_GE(part->width(), part->sizeHint().width());
    EXPECT_GE(part->height(), part->sizeHint().height());
}

void ExpectRoomForCaptions(const QWidget *window)
{
    QList<const QWidget *> captioned;
    for (const QWidget *part : window->findChildren<QWidget *>()) {
        if (!part->isVisibleTo(window) || Caption(part).isEmpty())
            continue;
        SCOPED_TRACE((part->objectName() + u' ' + Caption(part)).toStdString());
        EXPECT_TRUE(window->rect().contains(PlaceInWindow(part, window)));
        ExpectWholeCaption(part);
        for (const QWidget *other : captioned)
            EXPECT_FALSE(PlaceInWindow(part, window).intersects(PlaceInWindow(other, window))) << other->objectName().toStdString();
        captioned.append(part);
    }
}

// The window has the size of its picture, or more, and its picture covers it.
void ExpectPictureCovers(const QWidget *window, const QString &picture, bool sameSize)
{
    const auto *skin = window->findChild<TssSkinForm *>(QStringLiteral("ssSkinForm1"));
    ASSERT_NE(skin, nullptr);
    const QSize design = SkinArtwork::Picture(picture).size();
    EXPECT_EQ(skin->Glyph().size(), window->size());
    EXPECT_EQ(skin->size(), window->size());
    if (sameSize)
        EXPECT_EQ(window->size(), design);
    EXPECT_GE(window->width(), design.width());
    EXPECT_GE(window->height(), design.height());
}

// The language of a case: one of the translations, or every English text
// half as long again.
class Speaking
{
public:
    explicit Speaking(const QString &language)
    {
        if (language == u"longer")
            longer.emplace();
        else
            translations.emplace(QLocale(language));
    }

private:
    std::optional<ApplicationTranslations> translations;
    std::optional<LongerTexts> longer;
};

class CaptionRoom : public testing::TestWithParam<const char *>
{
protected:
    // Shows the window, checks it and closes it again.
    void Check(QWidget &window, const QString &picture)
    {
        window.show();
        QCoreApplication::processEvents();
        ExpectPictureCovers(&window, picture, QLatin1String(GetParam()) == u"en");
        ExpectRoomForCaptions(&window);
    }

    QString File(const char *name) { return QString::fromStdString(App.Folder.file(name)); }

    RunningApplication App;
    ScriptedUser User;
    RecordingDesktop Desktop;
    Speaking Language{QLatin1String(GetParam())};
};

TEST_P(CaptionRoom, TheMainWindow)
{
    TMergerForm form;
    const QSize centred = form.size(); // the size it is centred at, before it shows
    Check(form, QStringLiteral("main.png"));
    EXPECT_EQ(form.size(), centred);
    const QHeaderView *header = form.findChild<QTableView *>(QStringLiteral("TntLV"))->horizontalHeader();
    for (int column = 0; column < header->count(); ++column)
        EXPECT_GE(header->sectionSize(column), header->sectionSizeHint(column)) << "column " << column;
    User.Answer(QMessageBox::Yes);
    form.close();
}

TEST_P(CaptionRoom, TheMethodDialog)
{
    TItemInfo item;
    item.FileName = QStringLiteral("file.pdf");
    item.TotalPages = 10;
    item.PageRange = item.MergeRange = QStringLiteral("1-10");
    TMethodForm dialog(nullptr, item);
    dialog.show();
    QCoreApplication::processEvents();
    const QSize withoutNote = dialog.size();
    // The note under the pages has its room before it shows: the dialog
    // does not jump while the user types.
    dialog.findChild<QLabel *>(QStringLiteral("lblInvalid"))->show();
    Check(dialog, QStringLiteral("method.png"));
    EXPECT_EQ(dialog.size(), withoutNote);
}

TEST_P(CaptionRoom, TheOptionsOnBothTabs)
{
    TOptionsForm dialog(nullptr);
    Check(dialog, QStringLiteral("options.png"));
    dialog.btnOtherClick();
    Check(dialog, QStringLiteral("options.png"));
}

TEST_P(CaptionRoom, TheAboutWindow)
{
    TAboutForm about(nullptr);
    Check(about, QStringLiteral("about.png"));
}

TEST_P(CaptionRoom, TheMeasuringDialog)
{
    const QStringList paths = {WritePdf(File("a.pdf"), 1)}; // the dialog's worker reads them
    QList<TItemInfo> items;
    TAddFileForm dialog(nullptr, paths, items);
    Check(dialog, QStringLiteral("addfile.png"));
}

TEST_P(CaptionRoom, TheProgressDialog)
{
    TItemInfo first;
    first.FilePath = WritePdf(File("a.pdf"), 2);
    first.TotalPages = 2;
    first.PageRange = first.MergeRange = QStringLiteral("1-2");
    TItemInfo second = first;
    const QList<TItemInfo *> job = {&first, &second}; // the dialog's worker reads it
    TConvertForm dialog(nullptr, job, File("out.pdf"));
    User.Answer(QMessageBox::No); // should the merge end meanwhile: not opened
    Check(dialog, QStringLiteral("convert.png"));
    // The page line has room for a long job in every language.
    auto *page = dialog.findChild<QLabel *>(QStringLiteral("lblPage"));
    page->setText(TConvertForm::tr("page %1 of %2").arg(99999).arg(99999));
    EXPECT_GE(page->width(), page->fontMetrics().horizontalAdvance(page->text()));
}

INSTANTIATE_TEST_SUITE_P(Languages, CaptionRoom, testing::Values("en", "de", "fr", "ja", "longer"));

} // namespace
