#ifndef VARNEL_TOOLS_EPATOOL_PICTUREINPUT_H
#define VARNEL_TOOLS_EPATOOL_PICTUREINPUT_H

#include <QByteArray>
#include <QString>
#include <memory>
#include <optional>

class TPicture;

// A picture to encode: its name, and, for standard input, the bytes already read. Its kind (a
// registered extension such as "gif") is the one asked for; else, for standard input, the one
// its first bytes show; else the file's extension, as the editor's Load BMP takes it.
class TPictureInput {
public:
    // Standard input is read here; a kind nobody registered raises a UsageError, bytes of no
    // known kind an error saying to name one.
    TPictureInput(const QString& name, const std::optional<QString>& kind);

    const QString& Name() const { return name_; }
    // Metafiles may draw text.
    bool NeedsFonts() const;
    // Raises an error naming the input when it cannot be read or holds no pixels.
    std::unique_ptr<TPicture> Load() const;

private:
    QString name_;
    QString kind_; // empty: by the file's extension
    std::optional<QByteArray> bytes_;
};

#endif
