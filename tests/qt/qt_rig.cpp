#include "qt_rig.h"

#include "platform/posix/posix_file_system.h"
#include "app/program.h"
#include "support/rig.h"

#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QApplication>
#include <QLineEdit>
#include <QAbstractItemView>
#include <QPushButton>
#include <QTest>

#include <filesystem>
#include <utility>

namespace tavlo::test {
namespace {

QString fromBytes(std::string_view text) { return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())); }

std::string toBytes(const QString& text) { return text.toUtf8().toStdString(); }

std::unique_ptr<FileSystem> makeFileSystem(const TempTree& tree)
{
    namespace fs = std::filesystem;
    const std::string program = tree.folder("program");
    const fs::path templates = sourceTemplateFolder();
    for (const auto& [from, to] : {std::pair{"Intestaz.htm", "/INTESTAZ.HTM"}, {"Intest_2.htm", "/INTEST_2.HTM"},
                                   {"PIEDE.htm", "/PIEDE.HTM"}})
        fs::copy_file(templates / from, program + to);
    PosixFileSystemOptions options;
    options.programFolder = program;
    options.templateFolder = sourceTemplateFolder();
    options.homeFolder = tree.folder("home");
    return createPosixFileSystem(options);
}

} // namespace

void closeUnexpected(QWidget& dialog)
{
    if (auto* modal = qobject_cast<QDialog*>(&dialog))
        modal->reject();
    else
        dialog.close();
}

OnNextModal::OnNextModal(std::function<void(QWidget& dialog)> act)
{
    // The timer fires inside the dialog's own event loop, once the dialog runs it.
    timer_.setSingleShot(true);
    QObject::connect(&timer_, &QTimer::timeout, [this, act = std::move(act)] {
        QWidget* dialog = nullptr;
        const bool shown = QTest::qWaitFor([&] {
            dialog = QApplication::activeModalWidget();
            return dialog != nullptr && dialog->isVisible();
        });
        if (!shown) {
            ADD_FAILURE() << "no modal dialog showed";
            return;
        }
        acted_ = true;
        act(*dialog);
    });
    timer_.start(0);
}

bool OnNextModal::done()
{
    const bool closed = QTest::qWaitFor([] { return QApplication::activeModalWidget() == nullptr; });
    timer_.stop();
    return acted_ && closed;
}

AnswerNextBox::AnswerNextBox(const QWidget& window, QMessageBox::StandardButton answer)
    : modal_([this, &window, answer](QWidget& dialog) {
          auto* box = qobject_cast<QMessageBox*>(&dialog);
          if (box == nullptr) {
              ADD_FAILURE() << "the modal dialog is no message box: " << dialog.metaObject()->className();
              closeUnexpected(dialog);
              return;
          }
          seen = {box->windowTitle(), box->text(),          box->standardButtons(), box->standardButton(box->defaultButton()),
                  box->icon(),        box->parentWidget(), window.isVisible()};
          QAbstractButton* button = box->button(answer);
          if (button == nullptr) {
              ADD_FAILURE() << "the message box has no such button";
              box->reject();
              return;
          }
          QTest::mouseClick(button, Qt::LeftButton);
      })
{
}

QtRig::QtRig() : fs_(makeFileSystem(tree)), form(window, window, *fs_) {}

QtRig::~QtRig()
{
    window.onClick = nullptr;
    window.onClose = nullptr;
}

BoxSeen QtRig::start(bool simplified)
{
    AnswerNextBox answer(window, simplified ? QMessageBox::Yes : QMessageBox::No);
    startWindow(window, form);
    EXPECT_TRUE(answer.done()) << "the window-mode question did not show";
    EXPECT_TRUE(QTest::qWaitForWindowActive(&window));
    return answer.seen;
}

bool QtRig::enabled(ControlId id) const { return widget(id)->isEnabled(); }

void QtRig::click(ControlId id) { QTest::mouseClick(widget(id), Qt::LeftButton); }

void QtRig::type(ControlId id, std::string_view text)
{
    auto* box = qobject_cast<QLineEdit*>(widget(id));
    box->selectAll();
    if (text.empty())
        QTest::keyClick(box, Qt::Key_Delete);
    else
        QTest::keyClicks(box, fromBytes(text));
}

std::string QtRig::shown(ControlId id) const { return toBytes(qobject_cast<QLineEdit*>(widget(id))->text()); }

std::vector<std::string> QtRig::shownEntries() const
{
    const QAbstractItemModel* rows = qobject_cast<QAbstractItemView*>(widget(ControlId::List1))->model();
    std::vector<std::string> entries;
    for (int row = 0; row < rows->rowCount(); ++row)
        entries.push_back(toBytes(rows->index(row, 0).data().toString()));
    return entries;
}

} // namespace tavlo::test
