// The real window: its controls as designed, focus, colours and stacking, start-up
// in both window modes, and clicks that reach their handlers, end the program, and
// end it in the middle of a load.
#include "qt_rig.h"

#include "platform/form_layout.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QCheckBox>
#include <QFontInfo>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QScreen>
#include <QTest>

#include <algorithm>
#include <optional>

namespace tavlo::test {
namespace {

using enum ControlId;

enum class Kind { TextBox, ListBox, Button, Label, CheckBox };
enum class Font { Regular, SansBold825, Sans975, SansBold135, ArialBold975 };

struct Designed {
    ControlId id;
    const char* name;
    Kind kind;
    std::optional<std::string> text;  // nullopt: the credit caption, which is ours to word
    int left, top, width, height;     // twips
    Font font;
};

// The window as designed, in tab order.
const std::vector<Designed>& design()
{
    using enum Kind;
    using enum Font;
    static const std::vector<Designed> controls{
        {txtPATH_RICERCA, "txtPATH_RICERCA", TextBox, "C:\\TAVLO\\", 2280, 240, 4335, 285, Regular},
        {txtESTENSIONE, "txtESTENSIONE", TextBox, "JPG", 2280, 600, 735, 285, Regular},
        {txtNOME_FILE_HTM, "txtNOME_FILE_HTM", TextBox, "C:\\TAVLO\\TAVLO.HTM", 2280, 960, 4335, 285, Regular},
        {List1, "List1", ListBox, "", 120, 1590, 6510, 4935, Regular},
        {cmdCONFERMA, "cmdCONFERMA", Button, "Carica i nomi dei files della estensione indicata", 6855, 915, 2310, 660, SansBold825},
        {Command1, "Command1", Button, "Creazione TAVLO.HTM" + std::string(19, ' ') + "singolo", 6855, 2520, 2310, 615, SansBold825},
        {cmdFINE, "cmdFINE", Button, "F I N E", 8190, 6120, 960, 495, SansBold825},
        {Label1, "Label1", Label, "Ricerca nella Directory", 120, 285, 1815, 255, Regular},
        {Label2, "Label2", Label, "Ricerca files con estensione ", 120, 645, 2175, 255, Regular},
        {Label3, "Label3", Label, "(  *  per tutti i files) (htm/jpg/avi/mp3/wav)", 3075, 630, 3720, 255, Sans975},
        {txtNUM_FILE, "txtNUM_FILE", TextBox, "", 8040, 5490, 975, 285, Regular},
        {Label4, "Label4", Label, "N.files trovati", 6960, 5505, 1095, 255, Regular},
        {Label5, "Label5", Label, "Nome file TAVLO .HTM", 120, 1005, 1815, 255, Regular},
        {Command2, "Command2", Button, "Nuovo elenco files", 6855, 15, 2310, 345, Regular},
        {Command3, "Command3", Button, "Sfoglia / Ricerca Cartella/Directory...", 6855, 360, 2310, 495, SansBold825},
        {cmdCONFERMA_Tutti, "cmdCONFERMA_Tutti", Button, "Carica tutti i files multimediali conosciuti della cartella", 6855, 1575, 2310, 840, SansBold825},
        {Label6_0, "Label6(0)", Label, "1", 6645, 0, 180, 390, SansBold135},
        {Label6_1, "Label6(1)", Label, "2", 6645, 465, 180, 360, SansBold135},
        {Label6_2, "Label6(2)", Label, "3", 6645, 1425, 180, 360, SansBold135},
        {Label6_3, "Label6(3)", Label, "4", 6645, 3000, 180, 360, SansBold135},
        {cmdCANC_FILE, "cmdCANC_FILE", Button, "Elimina file da elenco", 6870, 5040, 2295, 330, Regular},
        {cmdIns_File, "cmdIns_File", Button, "Inserisce un solo file in elenco", 6870, 4710, 2295, 330, Regular},
        {Label6_4, "Label6(4)", Label, std::nullopt, 3990, 1305, 2295, 255, ArialBold975},
        {Label6_5, "Label6(5)", Label, std::nullopt, 4005, 1320, 2295, 255, ArialBold975},
        {Command4, "Command4", Button, "Creazione vari TAVLO.HTM secondo massimo numero files", 6855, 3120, 2310, 735, SansBold825},
        {txtMAX_N_FILES, "txtMAX_N_FILES", TextBox, "", 8685, 3960, 495, 285, Regular},
        {Label7, "Label7", Label, "Max. n.files per pag.HTM", 6840, 4005, 1815, 255, Regular},
        {txtMAX_PER_RIGA, "txtMAX_PER_RIGA", TextBox, "", 8685, 4275, 495, 285, Regular},
        {Label8, "Label8", Label, "Max. immagini per riga", 6855, 4320, 1815, 255, Regular},
        {Check1, "Check1", CheckBox, "Elimino sfondo e titolo", 6975, 5835, 1920, 225, Regular},
        {Command5, "Command5", Button, "Vedo risultato TAVLO.HTM", 6870, 6120, 1320, 495, Regular},
        {Label6_6, "Label6(6)", Label, "5", 6675, 6180, 180, 360, SansBold135},
    };
    return controls;
}

QString fromBytes(const std::string& text) { return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())); }

bool isOfKind(const QWidget* w, Kind kind)
{
    switch (kind) {
    case Kind::TextBox: return qobject_cast<const QLineEdit*>(w) != nullptr;
    case Kind::ListBox: return qobject_cast<const QListWidget*>(w) != nullptr;
    case Kind::Button: return qobject_cast<const QPushButton*>(w) != nullptr;
    case Kind::Label: return qobject_cast<const QLabel*>(w) != nullptr;
    case Kind::CheckBox: return qobject_cast<const QCheckBox*>(w) != nullptr;
    }
    return false;
}

// The caption a button draws: its own text, or the wrapping label inside it.
QString buttonCaption(const QPushButton* button)
{
    if (!button->text().isEmpty())
        return button->text();
    const auto* inner = button->findChild<const QLabel*>();
    return inner != nullptr ? inner->text() : QString();
}

// The text a control shows on the screen.
QString shownText(const QWidget* w)
{
    if (const auto* edit = qobject_cast<const QLineEdit*>(w))
        return edit->text();
    if (const auto* button = qobject_cast<const QPushButton*>(w))
        return buttonCaption(button);
    if (const auto* label = qobject_cast<const QLabel*>(w))
        return label->text();
    if (const auto* box = qobject_cast<const QCheckBox*>(w))
        return box->text();
    return {};
}

// The font a control draws its text in (a button's wrapping label draws its caption).
QFont drawnFont(const QWidget* w)
{
    if (const auto* button = qobject_cast<const QPushButton*>(w); button != nullptr && button->text().isEmpty())
        if (const auto* inner = button->findChild<const QLabel*>())
            return inner->font();
    return w->font();
}

void expectFont(const QFont& font, double points, bool bold)
{
    EXPECT_EQ(font.pointSizeF(), points);
    EXPECT_EQ(font.bold(), bold);
}

class Window : public ::testing::Test {
protected:
    int px(int twips) const { return qRound(twips / rig.window.twipsPerPixelX()); }
    QRect pixelRect(const Designed& c) const { return {px(c.left), px(c.top), px(c.width), px(c.height)}; }

    // The control of the window drawn at a point of its client area.
    QWidget* topmostAt(QPoint point) const
    {
        QWidget* w = rig.window.childAt(point);
        while (w != nullptr && w->parentWidget() != &rig.window)
            w = w->parentWidget();
        return w;
    }

    QImage grabbed() { return rig.window.grab().toImage().convertToFormat(QImage::Format_RGB32); }

    QtRig rig;
};

TEST_F(Window, EveryControlAsDesigned)
{
    const QScreen* screen = QGuiApplication::primaryScreen();
    ASSERT_NE(screen, nullptr);
    if (screen->logicalDotsPerInchX() == 96) {
        EXPECT_EQ(rig.window.twipsPerPixelX(), 15.0);
    }

    EXPECT_EQ(rig.window.windowTitle(),
              QStringLiteral("Creazione Tavlo Multimediali / Siti Internet  .HTML di una Cartella e relative sotto cartelle"));
    EXPECT_EQ(rig.window.size(), QSize(px(9285), px(6750)));

    QStringList names;
    for (const Designed& c : design()) {
        SCOPED_TRACE(c.name);
        names << QString::fromLatin1(c.name);
        QWidget* w = rig.window.findChild<QWidget*>(QString::fromLatin1(c.name), Qt::FindDirectChildrenOnly);
        ASSERT_NE(w, nullptr) << "no control of that name";
        EXPECT_EQ(w, rig.widget(c.id));
        EXPECT_TRUE(isOfKind(w, c.kind)) << w->metaObject()->className();
        EXPECT_EQ(w->geometry(), pixelRect(c));
        EXPECT_TRUE(w->isEnabled());
        EXPECT_FALSE(w->isHidden());

        const std::string text = c.text.value_or(std::string(kCreditCaption));
        EXPECT_EQ(rig.window.text(c.id), text);
        if (c.kind != Kind::ListBox) {
            EXPECT_EQ(shownText(w), fromBytes(text));
        }

        const QFont font = drawnFont(w);
        switch (c.font) {
        case Font::Regular: break;
        case Font::SansBold825: expectFont(font, 8.25, true); break;
        case Font::Sans975: expectFont(font, 9.75, false); break;
        case Font::SansBold135: expectFont(font, 13.5, true); break;
        case Font::ArialBold975: {
            expectFont(font, 9.75, true);
            const QString family = QFontInfo(font).family();
            EXPECT_TRUE(family == QStringLiteral("Arial") || family == QStringLiteral("Liberation Sans"))
                << family.toStdString();
            break;
        }
        }
    }
    EXPECT_FALSE(rig.window.text(Label6_4).empty());
    EXPECT_EQ(rig.widget(CommonDialog1), nullptr) << "the picker control draws nothing";

    // Nothing else lies in the window.
    QStringList present;
    for (const QWidget* w : rig.window.findChildren<QWidget*>(QString(), Qt::FindDirectChildrenOnly))
        present << w->objectName();
    present.sort();
    names.sort();
    EXPECT_EQ(present, names);
}

TEST_F(Window, TabWalksTheFocusableControlsInTabOrder)
{
    rig.window.show();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&rig.window));
    ASSERT_EQ(QApplication::focusWidget(), rig.widget(txtPATH_RICERCA));

    QStringList expected;
    for (const Designed& c : design())
        if (c.kind != Kind::Label)
            expected << QString::fromLatin1(c.name);
    expected << expected.front();  // and round again

    QStringList walked{QApplication::focusWidget()->objectName()};
    while (walked.size() < expected.size() && QApplication::focusWidget() != nullptr) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        walked << (QApplication::focusWidget() != nullptr ? QApplication::focusWidget()->objectName() : QString());
    }
    EXPECT_EQ(walked, expected);

    ASSERT_NE(QApplication::focusWidget(), nullptr);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Backtab);
    EXPECT_EQ(QApplication::focusWidget(), rig.widget(Command5));
}

TEST_F(Window, ColoursOfTheSearchFolderThePageSizesAndTheCredit)
{
    const QColor lightYellow(255, 255, 128);
    const QColor lightBlue(128, 128, 255);
    for (ControlId id : {txtPATH_RICERCA, txtMAX_N_FILES, txtMAX_PER_RIGA})
        EXPECT_EQ(rig.widget(id)->palette().color(QPalette::Base), lightYellow);
    for (ControlId id : {txtESTENSIONE, txtNOME_FILE_HTM, txtNUM_FILE})
        EXPECT_NE(rig.widget(id)->palette().color(QPalette::Base), lightYellow);

    QWidget* shadow = rig.widget(Label6_4);
    QWidget* credit = rig.widget(Label6_5);
    EXPECT_EQ(shadow->palette().color(QPalette::WindowText), lightBlue);
    EXPECT_TRUE(shadow->autoFillBackground()) << "the shadow's background is opaque";
    EXPECT_EQ(credit->palette().color(QPalette::WindowText), rig.window.palette().color(QPalette::WindowText));
    EXPECT_FALSE(credit->autoFillBackground()) << "the credit's background is transparent";

    // What is drawn: the yellow fields, and the blue shadow peeking out from under the credit.
    rig.window.show();
    const QImage image = grabbed();
    for (ControlId id : {txtPATH_RICERCA, txtMAX_N_FILES, txtMAX_PER_RIGA}) {
        const QRect r = rig.widget(id)->geometry();
        EXPECT_EQ(QColor(image.pixel(r.right() - 4, r.center().y())), lightYellow) << rig.widget(id)->objectName().toStdString();
    }
    const QRect both = shadow->geometry() | credit->geometry();
    int blue = 0, dark = 0;
    for (int y = both.top(); y <= both.bottom(); ++y)
        for (int x = both.left(); x <= both.right(); ++x) {
            const QColor c(image.pixel(x, y));
            blue += c == lightBlue;
            dark += c.lightness() < 64;
        }
    EXPECT_GT(blue, 0) << "no shadow shows";
    EXPECT_GT(dark, 0) << "no credit text shows";
}

TEST_F(Window, LabelsLieUnderneathCommand4OverCommand1CreditOverItsShadow)
{
    const QObjectList order = rig.window.children();  // bottom first
    const auto level = [&](ControlId id) { return order.indexOf(rig.widget(id)); };
    int highestLabel = -1;
    int lowestOther = static_cast<int>(order.size());
    for (const Designed& c : design()) {
        if (c.kind == Kind::Label)
            highestLabel = std::max(highestLabel, static_cast<int>(level(c.id)));
        else
            lowestOther = std::min(lowestOther, static_cast<int>(level(c.id)));
    }
    EXPECT_LT(highestLabel, lowestOther);
    EXPECT_GT(level(Command4), level(Command1));
    EXPECT_EQ(level(Label6_5), level(Label6_4) + 1);

    // Where they overlap, the upper one is the one drawn and clicked.
    EXPECT_EQ(topmostAt({px(6855) + 10, px(3120)}), rig.widget(Command4));   // the 15 twips of Command1
    EXPECT_EQ(topmostAt({px(8040), px(5505) + 5}), rig.widget(txtNUM_FILE)); // Label4's end
    EXPECT_EQ(topmostAt({px(2280), px(645) + 5}), rig.widget(txtESTENSIONE));  // Label2's end
    EXPECT_EQ(topmostAt({px(4005) + 5, px(1320) + 5}), rig.widget(Label6_5));
}

class StartUp : public ::testing::TestWithParam<bool> {
protected:
    QtRig rig;
};

TEST_P(StartUp, AsksTheWindowModeBeforeShowingThenShowsThatWindow)
{
    const bool simplified = GetParam();
    const BoxSeen question = rig.start(simplified);

    EXPECT_EQ(question.title, QStringLiteral("TAVLO"));
    EXPECT_EQ(question.text, QStringLiteral("Si desidera la Versione Semplificata (Si) o Completa (No) "));
    EXPECT_EQ(question.buttons, QMessageBox::Yes | QMessageBox::No);
    EXPECT_EQ(question.defaultButton, QMessageBox::Yes);
    EXPECT_EQ(question.icon, QMessageBox::NoIcon);
    EXPECT_FALSE(question.windowVisible) << "the question comes before the window";

    EXPECT_TRUE(rig.window.QWidget::isVisible());
    EXPECT_FALSE(rig.window.programEnded());
    EXPECT_EQ(QApplication::focusWidget(), rig.widget(txtPATH_RICERCA));

    QStringList hidden;
    for (const Designed& c : design())
        if (rig.widget(c.id)->isHidden())
            hidden << QString::fromLatin1(c.name);
    const QStringList simplifiedHides{"txtNOME_FILE_HTM", "Command1", "Label5", "Command2"};
    EXPECT_EQ(hidden, simplified ? simplifiedHides : QStringList{});

    for (ControlId id : {Command1, Command4, Command5})
        EXPECT_FALSE(rig.widget(id)->isEnabled());
    for (ControlId id : {cmdCONFERMA, cmdCONFERMA_Tutti, Command2, Command3, cmdCANC_FILE, cmdIns_File, cmdFINE})
        EXPECT_TRUE(rig.widget(id)->isEnabled());

    EXPECT_EQ(rig.shown(txtMAX_N_FILES), rig.window.screenWidthTwips() / rig.window.twipsPerPixelX() < 800 ? "6" : "10");
    EXPECT_EQ(rig.shown(txtMAX_PER_RIGA), "5");
    EXPECT_EQ(rig.shown(txtPATH_RICERCA), rig.programFolder() + "/");
    EXPECT_EQ(rig.shown(txtNOME_FILE_HTM), rig.programFolder() + "/TAVLO.HTM");
    EXPECT_EQ(rig.shown(txtESTENSIONE), "JPG");
}

INSTANTIATE_TEST_SUITE_P(WindowModes, StartUp, ::testing::Bool(),
                         [](const auto& info) { return info.param ? "Simplified" : "Complete"; });

class Started : public ::testing::Test {
protected:
    void SetUp() override { rig.start(false); }

    // Three pictures in a small tree, and a file of another type.
    std::string smallTree()
    {
        rig.tree.file("photos/a.jpg", "x");
        rig.tree.file("photos/b.JPG", "x");
        rig.tree.file("photos/notes.txt", "x");
        rig.tree.file("photos/sub/c.jpg", "x");
        return rig.tree.at("photos");
    }

    QtRig rig;
};

TEST_F(Started, AFilterWithADotIsRefusedWithItsOwnBox)
{
    rig.type(txtPATH_RICERCA, smallTree());
    rig.type(txtESTENSIONE, ".jpg");

    AnswerNextBox refusal(rig.window, QMessageBox::Ok);
    rig.click(cmdCONFERMA);
    ASSERT_TRUE(refusal.done());

    EXPECT_EQ(refusal.seen.title, QStringLiteral("TAVLO"));
    EXPECT_EQ(refusal.seen.text, QStringLiteral("Indicare solo l'estensione dei files da cercare !!!"));
    EXPECT_EQ(refusal.seen.buttons, QMessageBox::Ok);
    EXPECT_EQ(refusal.seen.parent, &rig.window);
    EXPECT_EQ(rig.window.listCount(), 0);
    EXPECT_EQ(rig.shown(txtNUM_FILE), "");
    EXPECT_TRUE(rig.widget(cmdCONFERMA)->isEnabled());
}

TEST_F(Started, ALoadFillsTheListAndTheCount)
{
    const std::string photos = smallTree();
    rig.type(txtPATH_RICERCA, photos);

    // Seen at the load's first yield: the load buttons locked, the hourglass up.
    bool lockedWhileLoading = false;
    QMetaObject::invokeMethod(
        &rig.window,
        [&] {
            lockedWhileLoading = !rig.widget(cmdCONFERMA)->isEnabled() && !rig.widget(cmdCONFERMA_Tutti)->isEnabled() &&
                                 QApplication::overrideCursor() != nullptr &&
                                 QApplication::overrideCursor()->shape() == Qt::WaitCursor;
        },
        Qt::QueuedConnection);
    rig.click(cmdCONFERMA);

    EXPECT_TRUE(lockedWhileLoading);
    const std::vector<std::string> entries{photos + "/a.jpg", photos + "/b.JPG", photos + "/sub/c.jpg"};
    EXPECT_EQ(rig.shownEntries(), entries);
    EXPECT_EQ(rig.shown(txtNUM_FILE), "3");
    EXPECT_TRUE(rig.widget(Command1)->isEnabled());
    EXPECT_TRUE(rig.widget(Command4)->isEnabled());
    EXPECT_FALSE(rig.widget(Command5)->isEnabled());
    EXPECT_TRUE(rig.widget(cmdCONFERMA)->isEnabled());
    EXPECT_TRUE(rig.widget(cmdCONFERMA_Tutti)->isEnabled());
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);
}

TEST_F(Started, Check1ChangesNothingButItsMark)
{
    rig.click(Check1);
    EXPECT_EQ(rig.window.checkValue(), 1);
    EXPECT_EQ(rig.shown(txtPATH_RICERCA), rig.programFolder() + "/");
    EXPECT_FALSE(rig.widget(Command1)->isEnabled());
    rig.click(Check1);
    EXPECT_EQ(rig.window.checkValue(), 0);
}

TEST(SimplifiedWindow, Command1StaysHiddenAfterALoadEnablesIt)
{
    QtRig rig;
    rig.start(true);
    rig.tree.file("photos/a.jpg", "x");
    rig.type(txtPATH_RICERCA, rig.tree.at("photos"));
    rig.click(cmdCONFERMA);

    EXPECT_EQ(rig.shown(txtNUM_FILE), "1");
    EXPECT_TRUE(rig.widget(Command1)->isEnabled());
    EXPECT_TRUE(rig.widget(Command1)->isHidden());
    EXPECT_FALSE(rig.widget(Command4)->isHidden());
}

class Ending : public Started {
protected:
    void expectEnded()
    {
        EXPECT_TRUE(rig.window.programEnded());
        EXPECT_FALSE(rig.window.QWidget::isVisible());
        EXPECT_EQ(QApplication::overrideCursor(), nullptr);
    }
};

TEST_F(Ending, FineEndsWithoutAQuestion)
{
    rig.click(cmdFINE);
    expectEnded();
}

TEST_F(Ending, ClosingTheWindowEndsAsFineDoes)
{
    EXPECT_TRUE(rig.window.close());
    expectEnded();
}

TEST_F(Ending, FineInTheMiddleOfALoadEndsItThere)
{
    rig.type(txtPATH_RICERCA, smallTree());
    // The click waits in the event queue until the load lets pending events run.
    QMetaObject::invokeMethod(
        &rig.window, [&] { rig.click(cmdFINE); }, Qt::QueuedConnection);
    rig.click(cmdCONFERMA);

    expectEnded();
    EXPECT_EQ(rig.window.listCount(), 1) << "the load went on after the end";
    EXPECT_EQ(rig.shown(txtNUM_FILE), "");

    // Nothing more is done once the program has ended.
    qobject_cast<QPushButton*>(rig.widget(cmdCONFERMA))->click();
    EXPECT_EQ(rig.window.listCount(), 1);
}

TEST_F(Ending, ClosingTheWindowInTheMiddleOfALoadEndsItThere)
{
    rig.type(txtPATH_RICERCA, smallTree());
    QMetaObject::invokeMethod(
        &rig.window, [&] { rig.window.close(); }, Qt::QueuedConnection);
    rig.click(cmdCONFERMA);

    expectEnded();
    EXPECT_EQ(rig.window.listCount(), 1);
    EXPECT_EQ(rig.shown(txtNUM_FILE), "");
}

} // namespace
} // namespace tavlo::test
