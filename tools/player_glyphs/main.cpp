// tolvika-player-glyphs: draws the player's 27 button glyphs.
//   tolvika-player-glyphs FOLDER          writes FOLDER/EN_MPPLAY.bmp and the others
//   tolvika-player-glyphs --check FOLDER  exits 1 unless every file there is what it draws
#include "tools/artwork/dib_writer.h"
#include "tools/player_glyphs/glyph_art.h"

#include <cstdio>
#include <fstream>
#include <iterator>
#include <string>

namespace {

bool write(const std::string& path, const std::vector<std::uint8_t>& bytes)
{
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
    return bool(out);
}

std::vector<std::uint8_t> read(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

} // namespace

int main(int argc, char** argv)
{
    const bool check = argc == 3 && std::string(argv[1]) == "--check";
    if (argc != 2 && !check) {
        std::fprintf(stderr, "usage: %s [--check] FOLDER\n", argv[0]);
        return 2;
    }
    const std::string folder = argv[argc - 1];
    int failures = 0;
    for (const NamedGlyph& glyph : drawPlayerGlyphs()) {
        const std::string path = folder + "/" + glyph.name + ".bmp";
        const QByteArray file = artwork::bitmapFile(glyph.image, artwork::playerGlyphPalette(),
                                                    artwork::Colour16::Olive);
        const std::vector<std::uint8_t> bytes(file.begin(), file.end());
        if (check ? read(path) != bytes : !write(path, bytes)) {
            std::fprintf(stderr, "%s: %s\n", path.c_str(),
                         check ? "differs from the drawn glyph" : "cannot be written");
            ++failures;
        }
    }
    if (check && failures == 0)
        std::printf("27 glyphs match\n");
    return failures == 0 ? 0 : 1;
}
