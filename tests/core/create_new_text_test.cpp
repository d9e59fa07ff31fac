// The platform file system's creation of a file only where none is there yet: the
// view pages are made that way, so that a file of the user's is never written over.
#include "support/rig.h"
#include "support/temp_tree.h"

#include <gtest/gtest.h>

namespace tavlo::test {
namespace {

class CreateNewText : public ::testing::Test {
protected:
    TempTree tree;
    std::unique_ptr<FileSystem> fs = createPlatformFileSystem();
};

TEST_F(CreateNewText, MakesAFileThatIsNotThereAndWritesItsLines)
{
    Failure failure{kErrAccess, "left over"};
    auto file = fs->createNewText(tree.at("NUOVA.HTM"), failure);

    ASSERT_TRUE(file);
    EXPECT_FALSE(failure);
    EXPECT_FALSE(file->writeLine("<HTML>"));
    EXPECT_FALSE(file->close());
    EXPECT_EQ(tree.read("NUOVA.HTM"), "<HTML>\r\n");
}

TEST_F(CreateNewText, LeavesAnythingAlreadyThereAsItIsWithFailure58)
{
    tree.file("MARE.HTM", "the user's own");
    tree.folder("CARTELLA.HTM");
    for (const char* name : {"MARE.HTM", "CARTELLA.HTM"}) {
        Failure failure;
        EXPECT_FALSE(fs->createNewText(tree.at(name), failure)) << name;
        EXPECT_EQ(failure.code, kErrFileAlreadyExists) << name;
        EXPECT_EQ(failure.description, "File already exists") << name;
    }
    EXPECT_EQ(tree.read("MARE.HTM"), "the user's own");
}

TEST_F(CreateNewText, AFolderThatDoesNotExistIsPathNotFound)
{
    Failure failure;
    EXPECT_FALSE(fs->createNewText(tree.at("manca/NUOVA.HTM"), failure));
    EXPECT_EQ(failure.code, kErrPathNotFound);
}

} // namespace
} // namespace tavlo::test
