// The real window: its controls as designed, focus, colours and stacking, start-up
// and a first load in both window modes, and clicks that reach their handlers, end
// the program, and end it in the middle of a load.
#include "qt_rig.h"

#include "platform/form_layout.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QFontInfo>
#include <QImage>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QTest>

#include <algorithm>
#include <optional>

namespace tavlo::test {
namespace {

using enum ControlId;

// The widget class that stands for each kind of control.
constexpr std::string_view TextBox = "QLineEdit", ListBox = "QListView", Button = "QPushButton", Label = "QLabel",
                           CheckBox = "QCheckBox";

struct Font {
    double points;  // 0: the window's regular font
    bool bold;
    bool arial = false;
};
constexpr Font Regular{0, false}, SansBold825{8.25, true}, Sans975{9.75, false}, SansBold135{13.5, true},
    ArialBold975{9.75, true, true};

struct Designed {
    ControlId id;
    const char* name;
    std::string_view kind;
    std::optional<std::string> text;  // nullopt: the credit caption, which is ours to word
    int left, top, width, height;     // twips
    Font font;
};

// The window as designed, in tab order.
const std::vector<Designed> kDesign{
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
    {chkMINIATURE, "chkMINIATURE", CheckBox, "Crea miniature", 120, 1320, 2415, 225, Regular},
    {Command5, "Command5", Button, "Vedo risultato TAVLO.HTM", 6870, 6120, 1320, 495, Regular},
    {Label6_6, "Label6(6)", Label, "5", 6675, 6180, 180, 360, SansBold135},
};

// The widget that draws a control's text: a button's wrapping label, when it has one.
const QWidget* textDrawer(const QWidget* w)
{
    const auto* button = qobject_cast<const QPushButton*>(w);
    if (button != nullptr && button->text().isEmpty())
        if (const auto* inner = button->findChild<const QLabel*>())
            return inner;
    return w;
}

QStringList names(const std::vector<Designed>& controls, bool (*keep)(const Designed&))
{
    QStringList list;
    for (const Designed& c : controls)
        if (keep(c))
            list << QString::fromLatin1(c.name);
    return list;
}

class Window : public ::testing::Test {
protected:
    int px(int twips) const { return qRound(twips / rig.window.twipsPerPixelX()); }

    // The control of the window drawn at a point of its client area.
    QWidget* topmostAt(QPoint point) const
    {
        QWidget* w = rig.window.childAt(point);
        while (w != nullptr && w->parentWidget() != &rig.window)
            w = w->parentWidget();
        return w;
    }

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

    for (const Designed& c : kDesign) {
        SCOPED_TRACE(c.name);
        QWidget* w = rig.window.findChild<QWidget*>(QString::fromLatin1(c.name), Qt::FindDirectChildrenOnly);
        ASSERT_NE(w, nullptr) << "no control of that name";
        EXPECT_EQ(w, rig.widget(c.id));
        EXPECT_TRUE(w->inherits(c.kind.data())) << w->metaObject()->className();
        EXPECT_EQ(w->geometry(), QRect(px(c.left), px(c.top), px(c.width), px(c.height)));
        EXPECT_TRUE(w->isEnabled() && !w->isHidden());

        const std::string text = c.text.value_or(std::string(kCreditCaption));
        EXPECT_EQ(rig.window.text(c.id), text);
        EXPECT_EQ(textDrawer(w)->property("text").toString(), QString::fromStdString(text));

        const QFont font = textDrawer(w)->font();
        if (c.font.points > 0) {
            EXPECT_EQ(font.pointSizeF(), c.font.points);
            EXPECT_EQ(font.bold(), c.font.bold);
        }
        if (c.font.arial) {
            const QString family = QFontInfo(font).family();
            EXPECT_TRUE(family == QStringLiteral("Arial") || family == QStringLiteral("Liberation Sans"))
                << family.toStdString();
        }
    }
    EXPECT_FALSE(rig.window.text(Label6_4).empty());
    EXPECT_EQ(rig.widget(CommonDialog1), nullptr) << "the picker control draws nothing";

    // Nothing else lies in the window.
    QStringList present;
    for (const QWidget* w : rig.window.findChildren<QWidget*>(QString(), Qt::FindDirectChildrenOnly))
        present << w->objectName();
    QStringList designed = names(kDesign, [](const Designed&) { return true; });
    present.sort();
    designed.sort();
    EXPECT_EQ(present, designed);
}

TEST_F(Window, TabWalksTheFocusableControlsInTabOrder)
{
    rig.window.show();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&rig.window));
    ASSERT_EQ(QApplication::focusWidget(), rig.widget(txtPATH_RICERCA));

    QStringList expected = names(kDesign, [](const Designed& c) { return c.kind != Label; });
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
    const QColor lightYellow(255, 255, 128), lightBlue(128, 128, 255);
    for (ControlId id : {txtESTENSIONE, txtNOME_FILE_HTM, txtNUM_FILE})
        EXPECT_NE(rig.widget(id)->palette().color(QPalette::Base), lightYellow);
    QWidget* shadow = rig.widget(Label6_4);
    QWidget* credit = rig.widget(Label6_5);
    EXPECT_TRUE(shadow->autoFillBackground()) << "the shadow's background is opaque";
    EXPECT_FALSE(credit->autoFillBackground()) << "the credit's background is transparent";

    // What is drawn: the yellow fields, and the blue shadow peeking out from under the
    // dark credit.
    rig.window.show();
    const QImage image = rig.window.grab().toImage().convertToFormat(QImage::Format_RGB32);
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
    const auto level = [&](ControlId id) { return static_cast<int>(order.indexOf(rig.widget(id))); };
    int highestLabel = -1, lowestOther = static_cast<int>(order.size());
    for (const Designed& c : kDesign)
        if (c.kind == Label)
            highestLabel = std::max(highestLabel, level(c.id));
        else
            lowestOther = std::min(lowestOther, level(c.id));
    EXPECT_LT(highestLabel, lowestOther);
    EXPECT_GT(level(Command4), level(Command1));
    EXPECT_EQ(level(Label6_5), level(Label6_4) + 1);

    // Where they overlap, the upper one is the one drawn and clicked.
    EXPECT_EQ(topmostAt({px(6855) + 10, px(3120)}), rig.widget(Command4));     // the 15 twips of Command1
    EXPECT_EQ(topmostAt({px(8040), px(5505) + 5}), rig.widget(txtNUM_FILE));   // Label4's end
    EXPECT_EQ(topmostAt({px(2280), px(645) + 5}), rig.widget(txtESTENSIONE));  // Label2's end
    EXPECT_EQ(topmostAt({px(4005) + 5, px(1320) + 5}), rig.widget(Label6_5));
}

// Three pictures in a small tree, and a file of another type.
std::string smallTree(const QtRig& rig)
{
    for (const char* name : {"photos/a.jpg", "photos/b.JPG", "photos/notes.txt", "photos/sub/c.jpg"})
        rig.tree.file(name, "x");
    return rig.tree.at("photos");
}

class StartUp : public ::testing::TestWithParam<bool> {
protected:
    QtRig rig;
};

TEST_P(StartUp, AsksTheWindowModeBeforeShowingThenShowsThatWindowAndLoads)
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
    const QStringList simplifiedHides{"txtNOME_FILE_HTM", "Command1", "Label5", "Command2"};
    QStringList hidden;
    for (const Designed& c : kDesign)
        if (rig.widget(c.id)->isHidden())
            hidden << QString::fromLatin1(c.name);
    EXPECT_EQ(hidden, simplified ? simplifiedHides : QStringList{});
    for (ControlId id : {Command1, Command4, Command5})
        EXPECT_FALSE(rig.enabled(id));
    for (ControlId id : {cmdCONFERMA, cmdCONFERMA_Tutti, Command2, Command3, cmdCANC_FILE, cmdIns_File, cmdFINE})
        EXPECT_TRUE(rig.enabled(id));
    EXPECT_EQ(rig.shown(txtMAX_N_FILES), rig.window.screenWidthTwips() / rig.window.twipsPerPixelX() < 800 ? "6" : "10");
    EXPECT_EQ(rig.shown(txtMAX_PER_RIGA), "5");
    EXPECT_EQ(rig.shown(txtPATH_RICERCA), rig.programFolder() + "/");
    EXPECT_EQ(rig.shown(txtNOME_FILE_HTM), rig.programFolder() + "/TAVLO.HTM");
    EXPECT_EQ(rig.shown(txtESTENSIONE), "JPG");

    // A load: seen at its first yield, the load buttons locked and the hourglass up.
    const std::string photos = smallTree(rig);
    rig.type(txtPATH_RICERCA, photos);
    bool lockedWhileLoading = false;
    QMetaObject::invokeMethod(
        &rig.window,
        [&] {
            lockedWhileLoading = !rig.enabled(cmdCONFERMA) && !rig.enabled(cmdCONFERMA_Tutti) &&
                                 QApplication::overrideCursor() != nullptr &&
                                 QApplication::overrideCursor()->shape() == Qt::WaitCursor;
        },
        Qt::QueuedConnection);
    rig.click(cmdCONFERMA);

    EXPECT_TRUE(lockedWhileLoading);
    EXPECT_EQ(rig.shownEntries(), (std::vector<std::string>{photos + "/a.jpg", photos + "/b.JPG", photos + "/sub/c.jpg"}));
    EXPECT_EQ(rig.shown(txtNUM_FILE), "3");
    for (ControlId id : {Command1, Command4, cmdCONFERMA, cmdCONFERMA_Tutti})
        EXPECT_TRUE(rig.enabled(id));
    EXPECT_FALSE(rig.enabled(Command5));
    EXPECT_EQ(rig.widget(Command1)->isHidden(), simplified) << "the simplified window keeps Command1 hidden";
    EXPECT_FALSE(rig.widget(Command4)->isHidden());
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);
}

INSTANTIATE_TEST_SUITE_P(WindowModes, StartUp, ::testing::Bool(),
                         [](const auto& info) { return info.param ? "Simplified" : "Complete"; });

class Started : public ::testing::Test {
protected:
    void SetUp() override { rig.start(false); }
    QtRig rig;
};

TEST_F(Started, AFilterWithADotIsRefusedWithItsOwnBox)
{
    rig.type(txtPATH_RICERCA, smallTree(rig));
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
    EXPECT_TRUE(rig.enabled(cmdCONFERMA));
}

TEST_F(Started, Check1ChangesNothingButItsMark)
{
    rig.click(Check1);
    EXPECT_EQ(rig.window.checkValue(), 1);
    EXPECT_EQ(rig.shown(txtPATH_RICERCA), rig.programFolder() + "/");
    EXPECT_FALSE(rig.enabled(Command1));
    rig.click(Check1);
    EXPECT_EQ(rig.window.checkValue(), 0);
}

// F I N E and closing the window end the program alike, also in the middle of a load,
// where the click waits in the event queue until the load lets pending events run.
struct EndingCase {
    const char* name;
    bool byClosing, midLoad;
};
void PrintTo(const EndingCase& c, std::ostream* out) { *out << c.name; }

class Ending : public Started, public ::testing::WithParamInterface<EndingCase> {};

TEST_P(Ending, EndsTheProgramAndAnyLoadThere)
{
    const auto [name, byClosing, midLoad] = GetParam();
    const auto end = [&] { byClosing ? void(rig.window.close()) : rig.click(cmdFINE); };
    if (midLoad) {
        rig.type(txtPATH_RICERCA, smallTree(rig));
        QMetaObject::invokeMethod(&rig.window, end, Qt::QueuedConnection);
        rig.click(cmdCONFERMA);
    } else {
        end();
    }
    EXPECT_TRUE(rig.window.programEnded());
    EXPECT_FALSE(rig.window.QWidget::isVisible());
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);
    if (midLoad) {
        EXPECT_EQ(rig.window.listCount(), 1) << "the load went on after the end";
        EXPECT_EQ(rig.shown(txtNUM_FILE), "");
        // Nothing more is done once the program has ended.
        qobject_cast<QPushButton*>(rig.widget(cmdCONFERMA))->click();
        EXPECT_EQ(rig.window.listCount(), 1);
    }
}

INSTANTIATE_TEST_SUITE_P(Ways, Ending,
                         ::testing::Values(EndingCase{"Fine", false, false}, EndingCase{"Closing", true, false},
                                           EndingCase{"FineMidLoad", false, true},
                                           EndingCase{"ClosingMidLoad", true, true}),
                         [](const auto& info) { return info.param.name; });

} // namespace
} // namespace tavlo::test
