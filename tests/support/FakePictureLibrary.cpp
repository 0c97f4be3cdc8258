#include "tests/support/FakePictureLibrary.h"

#include <QFile>

namespace ztest {

namespace {

class FakePicture : public platform::Picture {
public:
    explicit FakePicture(const FakePictureLibrary& library) : m_library(library), m_bits(library.bitsPerPixel) {}

    int bitsPerPixel() const override { return m_bits; }
    int width() const override { return m_library.width; }
    int height() const override { return m_library.height; }
    bool dither(int method) override
    {
        m_library.actions << QStringLiteral("dither(%1)").arg(method);
        m_bits = 1;
        return true;
    }
    bool reduceTo1Bit() override
    {
        m_library.actions << QStringLiteral("reduce");
        m_bits = 1;
        return true;
    }
    bool toMono(platform::MonoBitmap& out) const override
    {
        if (m_bits != 1)
            return false;
        out.width = width();
        out.height = height();
        out.stride = platform::MonoBitmap::strideFor(out.width);
        out.bits.assign(static_cast<std::size_t>(out.stride) * out.height, 0xFF);
        return true;
    }
    bool savePcx(const QString& path) const override
    {
        m_library.actions << QStringLiteral("savePcx(%1)").arg(path);
        if (m_library.onSavePcx)
            return m_library.onSavePcx(path);
        QFile file(path);
        return file.open(QIODevice::WriteOnly);
    }

private:
    const FakePictureLibrary& m_library;
    int m_bits;
};

}  // namespace

int FakePictureLibrary::formatFromExtension(const QString& extension) const
{
    return extension.isEmpty() ? kUnknownFormat : 1;
}

std::unique_ptr<platform::Picture> FakePictureLibrary::load(const QString& path, int, LoadProblem* problem) const
{
    if (problem)
        *problem = {};
    loads << path;
    if (failLoads)
        return nullptr;
    return std::make_unique<FakePicture>(*this);
}

}  // namespace ztest
