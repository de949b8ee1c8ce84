#ifndef VARNEL_RUNTIME_GRAPHIC_H
#define VARNEL_RUNTIME_GRAPHIC_H

#include <QRect>
#include <QString>
#include <functional>
#include <memory>

class QByteArray;
class QIODevice;
class TCanvas;

// A picture of any kind (bitmap, icon, metafile, GIF) as a picture holder owns it: it knows its
// size, draws itself into a rectangle of a canvas, and reads and writes its own file format.
class TGraphic {
public:
    TGraphic() = default;
    // A copy takes the content and the transparent flag, never the holder's change handler.
    TGraphic(const TGraphic& other) : transparent_(other.transparent_) {}
    TGraphic& operator=(const TGraphic& other) {
        transparent_ = other.transparent_;
        return *this;
    }
    virtual ~TGraphic() = default;

    // The copy that assigning a picture property makes.
    virtual std::unique_ptr<TGraphic> Clone() const = 0;

    virtual bool Empty() const = 0;
    virtual int Width() const = 0;
    virtual int Height() const = 0;
    virtual void SetWidth(int width) = 0;
    virtual void SetHeight(int height) = 0;

    virtual void Draw(TCanvas& canvas, const QRect& rect) = 0;

    virtual void LoadFromStream(QIODevice& stream) = 0;
    virtual void SaveToStream(QIODevice& stream) const = 0;

    // Reads a whole picture file already in memory through LoadFromStream.
    void LoadFromBytes(const QByteArray& bytes);
    // Opens the file and reads it through LoadFromStream; a file that cannot be opened raises
    // "Cannot open file <name>", anything but a regular file "Cannot open file <name>: it is a
    // named pipe, not a file" (a folder, a device) without waiting on it, one there is no memory
    // for "Not enough memory to load <name>", and the picture stays as it was.
    void LoadFromFile(const QString& fileName);

    // The most a picture file may hold: what a bitmap of the largest size Qt's readers decode
    // (128 MB of pixels) takes; a GIF frame may decode to half as much. A stream that never
    // ends is read no further than this.
    static constexpr qint64 LargestFile = qint64(128) << 20;
    // Writes a new file completely or not at all (LocalFiles::WriteNewFile): an existing file is
    // never replaced, and a failure raises an error with the system's reason.
    void SaveToFile(const QString& fileName) const;

    // A kind may narrow this: a GIF picture is transparent only when a frame has a see-through
    // colour as well.
    virtual bool Transparent() const { return transparent_; }
    void SetTransparent(bool value);

    // Called after every change of content.
    std::function<void(TGraphic&)> OnChange;

protected:
    void Changed();
    // The stream from its position to its end; more than LargestFile bytes raise
    // "Picture file is too large (more than 128 MB)".
    static QByteArray ReadToEnd(QIODevice& stream);
    [[noreturn]] static void TooLarge();

private:
    bool transparent_ = false;
};

#endif
