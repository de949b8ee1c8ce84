#include "tests/gif/Giflib.h"

#include <algorithm>
#include <cstring>

TGiflibFile::TGiflibFile(const QByteArray& gif) : data_(gif) {
    const InputFunc read = [](GifFileType* file, GifByteType* bytes, int count) {
        auto* self = static_cast<TGiflibFile*>(file->UserData);
        const int taken =
            static_cast<int>(std::min<qsizetype>(count, self->data_.size() - self->read_));
        std::memcpy(bytes, self->data_.constData() + self->read_, taken);
        self->read_ += taken;
        return taken;
    };
    int error = 0;
    file_ = DGifOpen(this, read, &error);
    ok_ = file_ && DGifSlurp(file_) == GIF_OK;
}

TGiflibFile::~TGiflibFile() {
    if (file_)
        DGifCloseFile(file_, nullptr);
}

QByteArray TGiflibFile::Indices(int index) const {
    const SavedImage& frame = Frame(index);
    if (!frame.RasterBits)
        return {};
    return QByteArray(reinterpret_cast<const char*>(frame.RasterBits),
                      qsizetype(frame.ImageDesc.Width) * frame.ImageDesc.Height);
}
