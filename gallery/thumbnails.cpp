#include "gallery/thumbnails.h"

#include "gallery/picture_sizes.h"
#include "gallery/posters.h"
#include "gallery/screen_copies.h"
#include "gallery/thumbnail_maker.h"
#include "pages/known_types.h"
#include "pages/record_keeping.h"
#include "pages/entry_values.h"
#include "platform/text_rules.h"

#include <algorithm>
#include <atomic>
#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <functional>
#include <mutex>
#include <set>
#include <thread>
#include <utility>
#include <vector>

namespace tavlo {
namespace {

constexpr std::string_view kCancelCaption = "Annulla";

struct Made {
    std::size_t index;
    MadePictures jpegs;  // no thumbnail: the picture could not be decoded
};

// Decodes, crops, scales and encodes the pictures on every core; the caller's
// thread collects what is done and writes it, so that files are written on one thread.
class Workers {
public:
    // `make`: what is made of the i-th of `count` files.
    Workers(std::function<MadePictures(std::size_t)> make, std::size_t count) : make_(std::move(make)), count_(count)
    {
        const std::size_t cores = std::max(1u, std::thread::hardware_concurrency());
        for (std::size_t i = 0; i < std::min(cores, count); ++i)
            threads_.emplace_back([this] { work(); });
    }
    ~Workers()
    {
        stop_ = true;
        for (auto& thread : threads_)
            thread.join();
    }
    Workers(const Workers&) = delete;
    Workers& operator=(const Workers&) = delete;

    /// What was finished since the last call; waits a moment at most for the next one,
    /// so that the window keeps answering.
    std::vector<Made> collect()
    {
        std::unique_lock lock(mutex_);
        finishedOne_.wait_for(lock, std::chrono::milliseconds(30), [this] { return !made_.empty(); });
        return std::exchange(made_, {});
    }

private:
    void work()
    {
        for (std::size_t i = next_++; i < count_ && !stop_; i = next_++) {
            MadePictures jpegs;
            try {
                jpegs = make_(i);
            } catch (...) {
                jpegs = {};  // out of memory on a huge picture: it keeps its original
            }
            std::lock_guard lock(mutex_);
            made_.push_back({i, std::move(jpegs)});
            finishedOne_.notify_one();
        }
    }

    const std::function<MadePictures(std::size_t)> make_;
    const std::size_t count_;
    std::atomic<std::size_t> next_{0};
    std::atomic<bool> stop_{false};
    std::mutex mutex_;
    std::condition_variable finishedOne_;
    std::vector<Made> made_;
    std::vector<std::thread> threads_;
};

// The progress window closes on every way out, also when the program ends.
class ProgressWindow {
public:
    explicit ProgressWindow(Ui& ui) : ui_(ui) {}
    ~ProgressWindow() { ui_.closeProgress(); }
    ProgressWindow(const ProgressWindow&) = delete;
    ProgressWindow& operator=(const ProgressWindow&) = delete;

    /// False when the user asked to cancel; throws when the program was ended meanwhile.
    bool show(std::size_t done, std::size_t total)
    {
        const bool cancelled = ui_.showProgress(
            "Miniature: " + std::to_string(done) + " di " + std::to_string(total), kCancelCaption);
        if (ui_.programEnded())
            throw ProgramEnded{};
        return !cancelled;
    }

private:
    Ui& ui_;
};

std::uint64_t fnv1a(std::string_view text)
{
    std::uint64_t hash = 14695981039346656037ull;
    for (const char c : text)
        hash = (hash ^ static_cast<unsigned char>(c)) * 1099511628211ull;
    return hash;
}

struct Wanted {
    std::string source;     // the picture file: the entry itself
    std::string extension;  // its extension, upper case
    std::string name;       // its thumbnail's name in the thumbnail folder
    std::string copyName;   // its screen copy's name there, should it need one; empty: a poster
    std::string thumbnail;  // where its thumbnail goes
    std::string link;       // the thumbnail as the page names it
    std::string copy;       // where its screen copy goes; empty: a poster
    std::string copyLink;
    std::int64_t changed;   // when the picture was last changed
    std::string_view playedAs;  // a film's or a sound's poster; empty: a picture's thumbnail
};

// The thumbnail folder's record holds a picture's thumbnail and screen copy, if it has one
// (`jpegs`, when just made).
void noteStored(BuildRecords& records, const std::string& folder, const Wanted& w, bool copy,
                const MadePictures* jpegs = nullptr)
{
    using Size = std::optional<std::uint64_t>;
    records.noteWritten(folder, w.name, jpegs ? Size(jpegs->thumbnail.size()) : std::nullopt);
    if (copy)
        records.noteWritten(folder, w.copyName, jpegs ? Size(jpegs->screenCopy.size()) : std::nullopt);
}

// The cell shows the thumbnail; the view page and the viewer show the screen copy, if any.
void noteMade(EntryPictures& made, const Wanted& w, const PictureSize* size, bool copy)
{
    made.thumbnails[w.source] = w.link;
    if (size)
        made.sizes[w.source] = *size;
    if (copy)
        made.screenCopies[w.source] = w.copyLink;
}

std::string thumbnailFolder(Services& p, const std::string& pageFolder)
{
    return pageFolder + std::string(kThumbnailFolder) + p.fs.separator();
}

// Every picture entry, once; those whose thumbnail (and screen copy, where one is
// needed) was made from the picture as it is now keep it, and are noted in the job
// at once. What is made carries the time its picture was last changed: only the
// same time counts, so that a picture replaced by an older one (a copy keeping its
// date) gets a new thumbnail. Only a regular file is read: a pipe would never end.
// A file of a thumbnail's name that is not ours stays: its picture keeps its original.
std::vector<Wanted> picturesToMake(BuildContext& b, const EntryStore& entries, const std::string& pageFolder,
                                   const PictureSizes& sizes, ThumbnailRun& run)
{
    Services& p = b.p;
    const char sep = p.fs.separator();
    const std::string folder = thumbnailFolder(p, pageFolder);
    const BuildRecord& ours = b.records.found(folder);
    const auto free = [&](const std::string& made) {
        return made.empty() || ours.wrote(made) || !(p.fs.fileStamp(folder + made) || p.fs.canRead(folder + made));
    };
    const EntryNaming naming{sep, p.fs.caseSensitive()};
    std::vector<Wanted> wanted;
    std::set<std::string> seen;
    for (long item = 0; item < entries.size(); ++item) {
        const std::string entry(entries.at(item));
        if (trimBlanks(entry).empty() || !seen.insert(entry).second)
            continue;
        const EntryValues values = entryValues(entry, pageFolder, naming);
        const std::string_view played = playedAs(values.extension);  // films and sounds get posters
        if (values.media && played.empty())
            continue;
        const auto changed = p.fs.modifiedTime(entry);
        if (!changed) {
            ++run.keptOriginal;
            continue;
        }
        const std::string name = thumbnailName(entry, sep), links = std::string(kThumbnailFolder) + sep;
        const auto upToDate = [&](const std::string& made) { return p.fs.modifiedTime(folder + made) == changed; };
        Wanted w{entry, values.extension, name, {}, folder + name, links + name, {}, {}, *changed, played};
        if (played.empty()) {
            w.copyName = screenCopyName(name);
            w.copy = folder + w.copyName, w.copyLink = links + w.copyName;
        }
        // A picture's screen copy is due where its size, kept with its thumbnail, asks for one.
        const PictureSize* size = played.empty() ? sizes.find(name, *changed) : nullptr;
        const bool copy = size && needsScreenCopy(values.extension, size->width, size->height);
        if (upToDate(name) && (!played.empty() || (size && (!copy || upToDate(w.copyName))))) {
            noteMade(b.pictures, w, size, copy);
            noteStored(b.records, folder, w, copy);
        } else if (free(name) && free(w.copyName)) {
            wanted.push_back(std::move(w));
        } else {
            ++run.keptOriginal;
        }
    }
    return wanted;
}

struct Stored {
    Failure failure;
    std::string failedPath;
};

// Writes one picture's thumbnail (and screen copy) on the caller's thread.
Stored storeMade(BuildContext& b, const std::string& folder, const Wanted& w, const MadePictures& jpegs,
                 PictureSizes& sizes)
{
    Services& p = b.p;
    const bool copy = !jpegs.screenCopy.empty();
    if (copy)
        if (Failure failure = p.fs.writeWholeFile(w.copy, jpegs.screenCopy, w.changed))
            return {failure, w.copy};
    if (Failure failure = p.fs.writeWholeFile(w.thumbnail, jpegs.thumbnail, w.changed))
        return {failure, w.thumbnail};
    const PictureSize size{jpegs.width, jpegs.height};
    const bool picture = w.playedAs.empty();  // a poster's film or sound has no size of its own to keep
    noteMade(b.pictures, w, picture ? &size : nullptr, copy);
    noteStored(b.records, folder, w, copy, &jpegs);
    if (picture)
        sizes.set(w.name, {w.changed, size});
    return {};
}

// Makes the thumbnail folder, sweeps it of the temporaries of killed runs, and puts the
// names of what will be written there into its record first.
Stored prepareFolder(BuildContext& b, const std::string& folder, const std::vector<Wanted>& wanted)
{
    Services& p = b.p;
    if (Failure failure = p.fs.createFolder(folder))
        return {failure, folder};
    p.fs.sweepTemporaries(folder);
    std::vector<std::string> names;
    for (const Wanted& w : wanted) {
        names.push_back(w.name);
        if (!w.copyName.empty())
            names.push_back(w.copyName);
    }
    b.records.noteWriting(folder, names);
    return {};
}

// Makes the wanted pictures on every core under the progress window, until the end, a
// cancel or the first failure to store one. Every worker has stopped, and the progress
// window is closed, when it returns.
Stored makeWanted(BuildContext& b, const std::vector<Wanted>& wanted, const std::string& pageFolder,
                  PictureSizes& sizes, ThumbnailRun& run, bool& cancelled)
{
    Services& p = b.p;
    const std::string folder = thumbnailFolder(p, pageFolder);
    Stored stored = prepareFolder(b, folder, wanted);
    if (stored.failure)
        return stored;
    ProgressWindow progress(p.ui);
    std::size_t done = 0;
    cancelled = !progress.show(done, wanted.size());
    const Pictures& pictures = *p.pictures;
    Workers workers([&](std::size_t i) {
        const Wanted& w = wanted[i];
        return w.playedAs.empty() ? makePictures(pictures, w.source, w.extension, kThumbnailSide)
                                  : makePoster(pictures, w.source, kThumbnailSide, w.playedAs);
    }, wanted.size());
    while (!cancelled && !stored.failure && done < wanted.size()) {
        for (const Made& made : workers.collect()) {
            ++done;
            if (made.jpegs.thumbnail.empty()) {
                if (made.jpegs.unmade != Unmade::NoPicture)  // a sound without a cover keeps its icon, untold
                    ++(made.jpegs.unmade == Unmade::TooLarge ? run.tooLarge : run.keptOriginal);
                continue;
            }
            stored = storeMade(b, folder, wanted[made.index], made.jpegs, sizes);
            if (stored.failure)
                break;
        }
        if (!stored.failure)
            cancelled = !progress.show(done, wanted.size());
    }
    return stored;
}

} // namespace

std::string thumbnailName(std::string_view picturePath, char separator)
{
    std::string_view name = picturePath.substr(picturePath.rfind(separator) + 1);
    name = name.substr(0, std::min(name.rfind('.'), std::size_t{40}));
    std::string stem;
    for (const char c : name) {
        const bool plain = (c >= '0' && c <= '9') || (c >= 'a' && c <= 'z') || c == '-' || c == '_';
        stem += plain ? c : (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : '_';
    }
    // Sixteen hex digits, formed without the C library's locale.
    std::string hash(16, '0');
    const std::uint64_t value = fnv1a(picturePath);
    for (int i = 15, shift = 0; i >= 0; --i, shift += 4)
        hash[static_cast<std::size_t>(i)] = "0123456789abcdef"[(value >> shift) & 0xF];
    return stem + "-" + hash + ".jpg";
}

ThumbnailRun makeThumbnails(BuildContext& b, const BuildSettings& settings, const std::string& pageFolder)
{
    Services& p = b.p;
    ThumbnailRun run;
    if (!settings.thumbnails || p.pictures == nullptr)
        return run;

    const std::string folder = thumbnailFolder(p, pageFolder);
    PictureSizes sizes = PictureSizes::read(b, folder);
    const std::vector<Wanted> wanted = picturesToMake(b, settings.entries, pageFolder, sizes, run);
    if (wanted.empty())
        return run;
    bool cancelled = false;
    const Stored stored = makeWanted(b, wanted, pageFolder, sizes, run, cancelled);
    sizes.keep(b, folder);  // what was stored, also when the phase stopped
    if (stored.failure) {
        p.ui.beep();
        p.ui.msgBox(MessageKind::WriteFailure,
                    "Errore in registrazione Miniatura " + stored.failedPath + "\r\r ERR=" +
                        numberForMessage(stored.failure.code) + " - " + stored.failure.description,
                    Buttons::OkOnly);
    } else if (cancelled) {
        refuse(p, "Miniature interrotte: nessuna pagina .HTM creata !!!");
    }
    run.stopped = stored.failure || cancelled;
    if (run.stopped)
        b.pictures = {};
    return run;
}

void tellKeptOriginals(Services& p, const ThumbnailRun& run)
{
    if (run.keptOriginal > 0)
        p.ui.msgBox(MessageKind::Notice, "Miniatura non creata (formato sconosciuto o file danneggiato), resta l'originale: N.files =" +
                        numberForMessage(run.keptOriginal),
                    Buttons::OkOnly);
    if (run.tooLarge > 0)
        p.ui.msgBox(MessageKind::Notice, "Miniatura non creata (immagine troppo grande), resta l'originale: N.files =" +
                        numberForMessage(run.tooLarge),
                    Buttons::OkOnly);
}

} // namespace tavlo
