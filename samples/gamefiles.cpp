#include "gamefiles.h"

#include "converters/pixelrows.h"
#include "testsupport/bmpbuilder.h"
#include "testsupport/pbabuilder.h"
#include "testsupport/pbmpbuilder.h"
#include "testsupport/pplbuilder.h"
#include "testsupport/volbuilder.h"

// The byte layouts come from the file builders the tests use; these adapters only turn the
// samples' pictures and colours into their fields.

namespace skarde::samples {
namespace {

filebuilders::PbmpFields pbmpFields(const Picture& picture, std::int32_t paletteNumber) {
    filebuilders::PbmpFields fields;
    fields.width = picture.width;
    fields.height = picture.height;
    fields.paletteNumber = paletteNumber;
    fields.rows = picture.rows;
    return fields;
}

Bytes colourBytes(const Colours& colours, bool bmpOrder) {
    Bytes bytes;
    bytes.reserve(colours.size() * 4);
    for (const Rgb& colour : colours) {
        bytes.push_back(bmpOrder ? colour.blue : colour.red);
        bytes.push_back(colour.green);
        bytes.push_back(bmpOrder ? colour.red : colour.blue);
        bytes.push_back(0);
    }
    return bytes;
}

} // namespace

Bytes makePbmpFile(const Picture& picture, std::int32_t paletteNumber) {
    return filebuilders::makePbmp(pbmpFields(picture, paletteNumber));
}

Bytes makePbaFile(const std::vector<PbaImage>& images) {
    filebuilders::PbaFields fields;
    for (const PbaImage& image : images)
        fields.entries.push_back(
            {pbmpFields(image.picture, image.paletteNumber), image.hasPalettePart});
    return filebuilders::makePba(fields);
}

Bytes makePplFile(const std::vector<PplPalette>& palettes) {
    filebuilders::PplFields fields;
    for (const PplPalette& palette : palettes) {
        filebuilders::PplPaletteFields record;
        record.paletteNumber = palette.paletteNumber;
        record.colours = colourBytes(palette.colours, false);
        fields.palettes.push_back(record);
    }
    return filebuilders::makePpl(fields);
}

Bytes makeBmpFile(const Picture& picture, const Colours& colours) {
    const auto rowLength = static_cast<std::size_t>(stride(picture.width));
    return filebuilders::makeWrittenBmp(picture.width, picture.height,
                                        filebuilders::reversedRows(picture.rows, rowLength),
                                        colourBytes(colours, true));
}

Bytes makeVolFile(const std::vector<VolMember>& members) {
    filebuilders::VolFields fields;
    for (const VolMember& member : members) {
        filebuilders::VolMemberFields entry;
        entry.name = member.name;
        entry.data = member.data;
        entry.compressionType = member.compressionType;
        fields.members.push_back(entry);
    }
    return filebuilders::makeVol(fields);
}

Bytes makePalFile(const Colours& colours) {
    PalFile pal = makeGreyPalette();
    for (std::size_t i = 0; i < colours.size(); ++i) {
        pal.data.entries[i].red = colours[i].red;
        pal.data.entries[i].green = colours[i].green;
        pal.data.entries[i].blue = colours[i].blue;
    }
    Bytes bytes;
    ByteWriter writer(bytes);
    writePalFile(writer, pal);
    return bytes;
}

} // namespace skarde::samples
