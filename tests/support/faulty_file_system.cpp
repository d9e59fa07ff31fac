#include "support/faulty_file_system.h"

namespace tavlo::test {
namespace {

class FaultyWriter final : public TextWriter {
public:
    FaultyWriter(std::unique_ptr<TextWriter> real, std::string path, FaultyFileSystem& owner)
        : real_(std::move(real)), path_(std::move(path)), owner_(owner)
    {
    }

    Failure writeLine(std::string_view line) override
    {
        ++lines_;
        if (owner_.failWrite)
            if (Failure f = owner_.failWrite(path_, lines_))
                return f;
        return real_->writeLine(line);
    }
    Failure flush() override
    {
        if (owner_.failFlush)
            if (Failure f = owner_.failFlush(path_))
                return f;
        return real_->flush();
    }
    Failure close() override { return real_->close(); }

private:
    std::unique_ptr<TextWriter> real_;
    std::string path_;
    FaultyFileSystem& owner_;
    long lines_ = 0;
};

} // namespace

std::unique_ptr<TextWriter> FaultyFileSystem::create(const std::string& path, Failure& failure, bool onlyNew)
{
    created.push_back(path);
    if (failCreate) {
        failure = failCreate(path);
        if (failure)
            return nullptr;
    }
    auto real = onlyNew ? real_->createNewText(path, failure) : real_->createText(path, failure);
    if (!real)
        return nullptr;
    return std::make_unique<FaultyWriter>(std::move(real), path, *this);
}

} // namespace tavlo::test
