// Reading body files: the search order and its fallbacks, sprite decoding in both pixel
// formats, bounds, attachment text, loading a part and a whole body, and the error texts.
#include <gtest/gtest.h>

#include "TestBody.h"
#include "control/body/AttachmentReader.h"
#include "control/body/PartLoader.h"
#include "control/body/SpriteDecoder.h"

namespace {

using namespace bodytest;
using zubrelle::AttachmentPoint;

TEST(FileSearch, FindsTheFirstCandidateInSearchOrder) {
    const struct {
        std::vector<std::string> files;
        int genus, sex, age, variant;
        std::string found;
    } table[] = {{{"e54c.s16", "e44c.s16"}, 1, 1, 4, 2, "e54c.s16"},  // left foot (part 5), exact name
                 {{"e02c.s16", "e04a.s16"}, 0, 0, 4, 2, "e02c.s16"},  // all ages before a lower variant
                 {{"e04a.s16", "e00a.s16"}, 0, 0, 4, 2, "e04a.s16"},
                 {{"e40c.s16", "e00a.s16"}, 0, 0, 0, 2, "e00a.s16"},  // the other sex comes last
                 {{"e43b.s16"}, 0, 0, 4, 2, "e43b.s16"},
                 {{"e13a.s16"}, 1, 1, 3, 0, "e13a.s16"},
                 {{"e05a.s16"}, 0, 0, 4, 0, ""},              // never a higher age,
                 {{"e04c.s16"}, 0, 0, 4, 1, ""},              // variant
                 {{"e14a.s16", "e24a.s16"}, 0, 0, 4, 0, ""},  // or another genus
                 {{"e00a.s16"}, 0, 0, -1, 0, ""},
                 {{"e00a.s16"}, 0, 0, 0, -1, ""},
                 {{"E04A.S16"}, 0, 0, 4, 0, "E04A.S16"},  // names in any case
                 {{"E04A.S16", "e04a.s16"}, 0, 0, 4, 0, "e04a.s16"}};
    for (const auto& c : table) {
        TempTree tree;
        for (const std::string& file : c.files) tree.Write("images/" + file, file);
        const auto found = zubrelle::FindBodyFile(tree.Images(), 5, c.genus, c.sex, c.age, c.variant, ".s16");
        EXPECT_EQ(found ? found->path : "", c.found.empty() ? "" : tree.Images() + c.found) << c.files[0];
        EXPECT_EQ(found ? std::string(found->bytes.begin(), found->bytes.end()) : "", c.found);
    }
}

TEST(FileSearch, SeparatorsUnreadableCandidatesAndOutOfRangeValues) {
    TempTree tree;
    tree.Write("images/a03a.s16", std::string("younger"));
    std::filesystem::create_directory(tree.root / "images" / "a04a.s16");  // exists, unreadable
    std::string directory = tree.Images();
    directory.pop_back();
    const auto found = zubrelle::FindBodyFile(directory, 1, 0, 0, 4, 0, ".s16");
    ASSERT_TRUE(found.has_value());
    EXPECT_EQ(found->path, tree.Images() + "a03a.s16");
    EXPECT_EQ(std::string(found->bytes.begin(), found->bytes.end()), "younger");
    EXPECT_EQ(zubrelle::WithTrailingSeparator("dir\\"), "dir\\");
    EXPECT_EQ(zubrelle::WithTrailingSeparator(""), "");
    EXPECT_FALSE(zubrelle::FindBodyFile(tree.Images() + "absent/", 1, 0, 0, 4, 3, ".s16"));
    // Genus -1 would make the digit '/', naming a subfolder "b/"; huge values end quickly.
    std::filesystem::create_directory(tree.root / "images" / "b");
    tree.Write("images/b/0a.s16", std::string("outside"));
    EXPECT_FALSE(zubrelle::FindBodyFile(tree.Images(), 2, -1, 0, 0, 0, ".s16"));
    EXPECT_FALSE(zubrelle::FindBodyFile(tree.Images(), 2, 0, 0, 2000000000, 2000000000, ".s16"));
}

TEST(SpriteDecoder, ConvertsBothPixelFormatsWithoutReplicatingLowBits) {
    const struct {
        std::uint32_t format;
        std::uint16_t pixel;
        std::uint32_t colour;
    } table[] = {{1, 0xFFFF, 0xF8FCF8}, {1, 0x0001, 0x080000},   {1, 0xF800, 0x0000F8},
                 {1, 0x07E0, 0x00FC00}, {1, 0x0000, 0xFFFFFFFF},  // 5-6-5; 0 is transparent
                 {0, 0x7FFF, 0xF8F8F8}, {0, 0x0001, 0x080000},   {0, 0x7C00, 0x0000F8},
                 {0, 0x03E0, 0x00F800}, {0, 0x8000, 0x000000},  // 5-5-5 ignores the top bit
                 {2, 0x7FFF, 0xF8F8F8}};                        // anything but 1 is 5-5-5
    for (const auto& c : table) {
        const auto file = democreature::EncodeSpriteFile(std::vector<Sprite16>(10, Block(1, 1, c.pixel)), c.format);
        zubrelle::PartImage image;
        ASSERT_TRUE(zubrelle::DecodeImage(file, 3, image));
        EXPECT_EQ(*image.pixels, std::vector<std::uint32_t>{c.colour}) << c.format << " " << c.pixel;
    }
}

TEST(SpriteDecoder, BoundsAreInclusiveAroundOpaquePixelsWithSentinelsWhenNone) {
    std::vector<Sprite16> images(10, Block(3, 2, 0));
    images[1] = Block(200, 200, 0);  // the images after it start past 64 KiB
    images[7] = Block(5, 4, 0);
    images[7].pixels[1 * 5 + 3] = 0x1234;
    images[7].pixels[2 * 5 + 1] = 0x4321;
    images[9] = {};
    const auto file = democreature::EncodeSpriteFile(images, 1);
    zubrelle::PartImage image;
    ASSERT_TRUE(zubrelle::DecodeImage(file, 7, image));
    EXPECT_EQ(std::pair(int(image.width), int(image.height)), std::pair(5, 4));
    EXPECT_EQ(image.bounds, (zubrelle::ImageBounds{1, 1, 3, 2}));
    EXPECT_EQ((*image.pixels)[0], zubrelle::kTransparent);
    EXPECT_EQ((*image.pixels)[8], zubrelle::ConvertPixel565(0x1234));
    ASSERT_TRUE(zubrelle::DecodeImage(file, 0, image));
    EXPECT_EQ(image.bounds, (zubrelle::ImageBounds{1000000, 1000000, -1000000, -1000000}));
    EXPECT_EQ(*image.pixels, std::vector<std::uint32_t>(6, zubrelle::kTransparent));
    ASSERT_TRUE(zubrelle::DecodeImage(file, 9, image));
    EXPECT_TRUE(image.pixels->empty());
}

TEST(SpriteDecoder, RejectsWhatLiesOutsideTheFile) {
    std::vector<Sprite16> images(10, Block(2, 2, 0x1111));
    const auto whole = democreature::EncodeSpriteFile(images, 1);
    const std::vector<std::uint8_t> cut(whole.begin(), whole.end() - 1);  // last image one byte short
    EXPECT_FALSE(zubrelle::SpriteFileIsComplete(cut));
    const auto empty = democreature::EncodeSpriteFile(std::vector<Sprite16>(10, Block(0, 0, 0)), 1);
    EXPECT_TRUE(zubrelle::SpriteFileIsComplete(empty)) << "ten empty images end with the directory";
    for (std::size_t end : {empty.size() - 1, std::size_t(6 + 8 * 9 + 4), std::size_t(5)})
        EXPECT_FALSE(zubrelle::SpriteFileIsComplete({empty.data(), end})) << "ends inside the directory at " << end;
    const std::pair<std::vector<std::uint8_t>, std::string> problems[] = {
        {{}, "it is empty"},
        {{empty.begin(), empty.begin() + 6 + 8 * 9 + 4},
         "it ends at 82 bytes, inside its directory of ten images (86 bytes)"},
        {cut, "the pixels of image 9 (offset " + std::to_string(cut.size() - 7) + ", 2 x 2) run past its end at " +
                  std::to_string(cut.size()) + " bytes"},
        {whole, ""}};
    for (const auto& [file, problem] : problems) EXPECT_EQ(zubrelle::SpriteFileProblem(file), problem);
    zubrelle::PartImage image;
    EXPECT_FALSE(zubrelle::DecodeImage(cut, 9, image));
    EXPECT_FALSE(image.pixels);
    EXPECT_TRUE(zubrelle::DecodeImage(cut, 8, image));
    // An offset far past the end, and a size whose byte count overflows 32 bits.
    std::vector<std::uint8_t> far = whole, huge = whole;
    far[6 + 8 * 4 + 3] = 0xFF;
    for (int i = 0; i < 4; ++i) huge[6 + 8 * 2 + 4 + i] = 0xFF;
    const std::pair<std::vector<std::uint8_t>, int> bad[] = {{far, 4}, {huge, 2}, {whole, 10}, {whole, -1}, {{}, 0}};
    for (const auto& [file, index] : bad) EXPECT_FALSE(zubrelle::DecodeImage(file, index, image)) << index;
}

TEST(AttachmentReader, NumbersReadInOrderAsSixteenBitsAndZeroWhereNothingCanBeRead) {
    const std::pair<const char*, std::vector<std::int32_t>> table[] = {
        {"12 7\n3 40", {12, 7, 3, 40}},
        {"\t 1\r\n\r\n2\v\f3", {1, 2, 3}},
        {"-1 +5", {65535, 5}},
        {"65536 65537 -65536", {0, 1, 0}},
        {"99999999999 -99999999999", {65535, 0}},  // as a 32-bit long
        {"4 x 5", {4, 0, 0}},
        {"4 - 5", {4, 0, 0}}};
    for (const auto& [text, values] : table) {
        std::string_view cursor = text;
        for (std::int32_t expected : values) EXPECT_EQ(zubrelle::ReadAttachmentNumber(cursor), expected) << text;
        for (int i = 0; i < 3; ++i) EXPECT_EQ(zubrelle::ReadAttachmentNumber(cursor), 0) << text;
    }
    std::string_view cut = std::string_view("12345").substr(0, 2);  // a number ends where the text handed over does
    EXPECT_EQ(zubrelle::ReadAttachmentNumber(cut), 12);
}

TestPart NumberedLimb() {
    TestPart part;
    for (int i = 0; i < 10; ++i) {
        part.images[std::size_t(i)] = Block(std::uint16_t(i + 1), 2, 0x0421);
        part.points[std::size_t(i)] = {{i, 10 + i}, {20 + i, 30 + i}};
    }
    return part;
}

TEST(PartLoader, SearchesEachFileFromTheRequestedValuesAndReadsShortTextAsZero) {
    TempTree tree;
    tree.Write("images/c00a.s16", SpriteBytes(NumberedLimb()));
    tree.Write("body data/c00d.att", AttachmentText(NumberedLimb()));
    tree.Write("body data/c00a.att", std::string("12 7\n3 40"));
    zubrelle::PartData data;
    std::string error = "previous";
    ASSERT_TRUE(zubrelle::LoadPart(3, 0, 0, 0, 3, tree.Images(), tree.BodyData(), data, error));
    EXPECT_EQ(error, "previous");
    for (int i = 0; i < 10; ++i) {
        EXPECT_EQ(data.images[std::size_t(i)].width, i + 1);
        // Limbs fill two points; the others stay (0, 0).
        EXPECT_EQ(data.points[std::size_t(i)], (zubrelle::ImagePoints{{{i, 10 + i}, {20 + i, 30 + i}}}));
    }
    ASSERT_TRUE(zubrelle::LoadPart(3, 0, 0, 0, 0, tree.Images(), tree.BodyData(), data, error));
    EXPECT_EQ(data.points[0][1], (AttachmentPoint{3, 40}));
    EXPECT_EQ(data.points[1][0], (AttachmentPoint{0, 0}));
}

TEST(PartLoader, MessagesNameTheRequestedCombination) {
    TempTree tree;
    zubrelle::PartData data;
    std::string error;
    const auto load = [&](int part, int genus, int sex, int age, int variant) {
        return zubrelle::LoadPart(part, genus, sex, age, variant, tree.Images(), tree.BodyData(), data, error);
    };
    const std::string what = "Unable to find a left foot sprite file for adult female Brask of variant C.\n[Tried '";
    EXPECT_FALSE(load(5, 1, 1, 4, 2));
    EXPECT_EQ(error, what + tree.Images() + "e54c.s16']");
    const auto bytes = SpriteBytes(NumberedLimb());
    tree.Write("images/e50a.s16", std::vector<std::uint8_t>(bytes.begin(), bytes.begin() + 50));
    EXPECT_FALSE(load(5, 1, 1, 4, 2));  // a damaged file counts as no sprite, and says so
    EXPECT_EQ(error, what + tree.Images() + "e54c.s16']\n'" + tree.Images() +
                         "e50a.s16' was found but is damaged: it ends at 50 bytes, inside its directory of ten "
                         "images (86 bytes).");
    tree.Write("images/e50a.s16", bytes);
    EXPECT_FALSE(load(5, 1, 1, 4, 2));
    EXPECT_EQ(error,
              "Unable to find a left foot attachment file for adult female Brask of variant C.\n"
              "[Tried '" +
                  tree.BodyData() + "e54c.att']");
    EXPECT_FALSE(load(14, 7, 0, 9, 0));
    EXPECT_EQ(error,
              "Unable to find a tail tip sprite file for unknown male unknown of variant A.\n"
              "[Tried '" +
                  tree.Images() + "n79a.s16']");
}

// Ten entries sharing one 2000 x 2000 block decode to 160 MB from an 8 MB file: a body
// is refused once its images would pass the limit, naming the file.
TEST(PartLoader, ABodyPastTheDecodedLimitIsRefusedNamingTheFile) {
    TempTree tree;
    tree.Write("images/c00a.s16", SpriteBytes(NumberedLimb()));
    tree.Write("body data/c00a.att", AttachmentText(NumberedLimb()));
    zubrelle::PartData data;
    std::string error;
    std::uint64_t used = zubrelle::kMaxBodyDecodedBytes - 800;  // the parts loaded before
    EXPECT_TRUE(zubrelle::LoadPart(3, 0, 0, 0, 0, tree.Images(), tree.BodyData(), data, error, &used));
    EXPECT_EQ(used, zubrelle::kMaxBodyDecodedBytes - 800 + 4 * 110);
    EXPECT_FALSE(zubrelle::LoadPart(3, 0, 0, 0, 0, tree.Images(), tree.BodyData(), data, error, &used));
    EXPECT_EQ(error, "The body's images would take more than 128 MiB once decoded, the most a body may take; '" +
                         tree.Images() + "c00a.s16' takes 0 MiB of it.");
}

// Ten entries naming one block: one buffer, counted once toward the limit, holding what ten
// copies of the block hold.
TEST(PartLoader, EntriesSharingOneBlockDecodeItOnceAndDrawTheSame) {
    const Sprite16 block{3, 2, {0xF800, 0x07E0, 0xF800, 0x07E0, 0x001F, 0x07E0}};
    std::vector<std::uint8_t> shared = {1, 0, 0, 0, 10, 0};  // 5-6-5, ten entries
    for (int i = 0; i < 10; ++i) shared.insert(shared.end(), {86, 0, 0, 0, 3, 0, 2, 0});
    for (std::uint16_t p : block.pixels) shared.insert(shared.end(), {std::uint8_t(p), std::uint8_t(p >> 8)});
    TestParts body = EmptyBody();
    body[zubrelle::kBody] = UniformPart(block, std::vector<Point16>(6));
    EXPECT_EQ(zubrelle::DecodedSpriteBytes(shared), 4u * 6);

    TempTree sharedTree, copiesTree;
    zubrelle::BodyModel fromShared, fromCopies;
    ASSERT_EQ(LoadBody(copiesTree, body, fromCopies), "");
    for (int part = 1; part <= 14; ++part) WritePart(sharedTree, part, body[std::size_t(part)]);
    sharedTree.Write("images/" + zubrelle::BodyFileStem(zubrelle::kBody, 0, 0, 0) + ".s16", shared);
    std::string error;
    ASSERT_EQ(fromShared.Load(sharedTree.Images(), sharedTree.BodyData(), zubrelle::Appearance{}, error), 0) << error;
    const auto& sharedImages = fromShared.Part(zubrelle::kBody).images;
    for (const zubrelle::PartImage& image : sharedImages) EXPECT_EQ(image.pixels, sharedImages[0].pixels);
    const auto& copies = fromCopies.Part(zubrelle::kBody).images;
    EXPECT_NE(copies[0].pixels, copies[1].pixels);  // equal pixels in different blocks stay apart
    EXPECT_EQ(*sharedImages[0].pixels, *copies[0].pixels);
}

TEST(BodyModelLoad, EachPartTakesTheGenusAndVariantOfItsGroup) {
    TempTree tree;
    // head 1/a, body 2/b, legs 0/c, arms 1/d, tail 2/e; sex 1, age 3
    const int groups[15][2] = {{},     {1, 0}, {2, 1}, {0, 2}, {0, 2}, {0, 2}, {0, 2}, {0, 2},
                               {0, 2}, {1, 3}, {1, 3}, {1, 3}, {1, 3}, {2, 4}, {2, 4}};
    for (int part = 1; part <= 14; ++part)
        WritePart(tree, part, PixelPart(part), groups[part][0], 1, 3, groups[part][1]);
    zubrelle::BodyModel model, again;
    std::string error;
    ASSERT_EQ(model.Load(tree.Images(), tree.BodyData(), 1, 2, 0, 1, 2, 1, 3, 0, 1, 2, 3, 4, error), 0) << error;
    EXPECT_TRUE(model.IsLoaded());
    EXPECT_EQ(again.Load(tree.Images(), tree.BodyData(), {1, 3, 1, 0, 2, 1, 0, 2, 1, 3, 2, 4}, error), 0) << error;
}

TEST(BodyModelLoad, FailureAndClearLeaveTheModelEmpty) {
    TempTree tree;
    for (int part = 1; part <= 13; ++part) WritePart(tree, part, PixelPart(part), 0, 0, 0, 0);
    zubrelle::BodyModel model;
    std::string error;
    EXPECT_EQ(model.Load(tree.Images(), tree.BodyData(), zubrelle::Appearance{0, 4}, error), -1);
    EXPECT_EQ(error,
              "Unable to find a tail tip sprite file for adult male Tovel of variant A.\n"
              "[Tried '" +
                  tree.Images() + "n04a.s16']");
    EXPECT_FALSE(model.IsLoaded());
    WritePart(tree, 14, PixelPart(14), 0, 0, 0, 0);
    ASSERT_EQ(model.Load(tree.Images(), tree.BodyData(), zubrelle::Appearance{}, error), 0);
    EXPECT_EQ(model.Load(tree.Images(), tree.BodyData(), zubrelle::Appearance{0, 0, 1}, error), -1);
    EXPECT_FALSE(model.IsLoaded());
    ASSERT_EQ(model.Load(tree.Images(), tree.BodyData(), zubrelle::Appearance{}, error), 0);
    model.Clear();
    EXPECT_FALSE(model.IsLoaded());
}

}  // namespace
