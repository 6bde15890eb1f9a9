// The text format of the vector pictures: what each command records, the
// faults it refuses with the picture and line named, and nesting.

#include "output/vector_format.h"

#include "shell/texts/resources.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <clocale>
#include <locale>
#include <map>
#include <string>

namespace tavro {
namespace {

using testing::HasSubstr;

template <typename T> const T& Nth(const Recording& r, size_t i) {
    EXPECT_LT(i, r.Commands().size());
    const T* c = std::get_if<T>(&r.Commands().at(i));
    if (!c) throw std::logic_error("command " + std::to_string(i) + " has another type");
    return *c;
}

TEST(VectorFormat, EachCommandRecordsItsDrawing) {
    const Recording r = ParseVectorPicture("# a comment\n"
                                           "size 400 300\n"
                                           "\n"
                                           "   # an indented comment with a \" in it\n"
                                           "pen 3 #102030 dot\n"
                                           "brush #e0f0ff\n"
                                           "brush clear\n"
                                           "font \"Arial Narrow\" 40 bold italic #ff0000\n"
                                           "align centre\n"
                                           "line 0 0 400 300 10 20\n"
                                           "rect 50 60 10 20\n"
                                           "poly 1 2 3 4 5 6\n"
                                           "ellipse 10 20 110 70\n"
                                           "text 200 150 \"Say \\\"hi\\\" \\\\ bye\"\n",
                                           7);
    EXPECT_EQ(r.Size(), QSize(400, 300));
    ASSERT_EQ(r.Commands().size(), 12u);
    EXPECT_EQ(Nth<Recording::SetPenCmd>(r, 0).pen,
              (PenSpec{PenStyle::Dot, 3, QColor(0x10, 0x20, 0x30)}));
    EXPECT_EQ(Nth<Recording::SetBrushCmd>(r, 1).brush,
              (BrushSpec{BrushStyle::Solid, QColor(0xe0, 0xf0, 0xff)}));
    EXPECT_EQ(Nth<Recording::SetBrushCmd>(r, 2).brush.style, BrushStyle::Clear);
    const FontSpec& font = Nth<Recording::SetFontCmd>(r, 3).font;
    EXPECT_EQ(font.face, QStringLiteral("Arial Narrow"));
    EXPECT_EQ(font.height, 40);
    EXPECT_TRUE(font.bold);
    EXPECT_TRUE(font.italic);
    EXPECT_EQ(font.color, QColor(255, 0, 0));
    EXPECT_EQ(Nth<Recording::SetAlignCmd>(r, 4).align, TextAlign::Centre);
    EXPECT_EQ(Nth<Recording::MoveToCmd>(r, 5).p, QPoint(0, 0));
    EXPECT_EQ(Nth<Recording::LineToCmd>(r, 6).p, QPoint(400, 300));
    EXPECT_EQ(Nth<Recording::LineToCmd>(r, 7).p, QPoint(10, 20));
    // Corners in either order give the same box.
    EXPECT_EQ(Nth<Recording::RectangleCmd>(r, 8).r, QRect(QPoint(10, 20), QPoint(50, 60)));
    EXPECT_EQ(Nth<Recording::PolygonCmd>(r, 9).points,
              (std::vector<QPoint>{{1, 2}, {3, 4}, {5, 6}}));
    EXPECT_EQ(Nth<Recording::EllipseCmd>(r, 10).r, QRect(QPoint(10, 20), QPoint(110, 70)));
    const auto& text = Nth<Recording::TextCmd>(r, 11);
    EXPECT_EQ(text.p, QPoint(200, 150));
    EXPECT_EQ(text.text, QStringLiteral("Say \"hi\" \\ bye"));
}

TEST(VectorFormat, DefaultsLineEndsAndUtf8Text) {
    // Windows line ends, a missing final line end, tabs between words and
    // text outside ASCII.
    const Recording r =
        ParseVectorPicture("size\t10 10\r\npen 0 #000000\r\ntext 1 2 \"Ø 5 µm\"", 1);
    EXPECT_EQ(r.Size(), QSize(10, 10));
    ASSERT_EQ(r.Commands().size(), 2u);
    EXPECT_EQ(Nth<Recording::SetPenCmd>(r, 0).pen, (PenSpec{PenStyle::Solid, 0, Qt::black}));
    EXPECT_EQ(Nth<Recording::TextCmd>(r, 1).text, QStringLiteral("Ø 5 µm"));
}

TEST(VectorFormat, DecimalsRoundToWholeUnitsWhateverTheLocale) {
    const char* text = "size 100.4 50\nline 0.5 1.5 2.5e1 -0\n";
    const Recording plain = ParseVectorPicture(text, 1);
    EXPECT_EQ(plain.Size(), QSize(100, 50));
    EXPECT_EQ(Nth<Recording::MoveToCmd>(plain, 0).p, QPoint(0, 2)); // halves to even
    EXPECT_EQ(Nth<Recording::LineToCmd>(plain, 1).p, QPoint(25, 0));

    // A locale with a decimal comma must neither break "0.5" nor accept "0,5".
    if (!std::setlocale(LC_ALL, "de_DE.UTF-8") && !std::setlocale(LC_ALL, "de_DE.utf8"))
        GTEST_SKIP() << "no German locale installed";
    std::locale::global(std::locale(std::setlocale(LC_ALL, nullptr)));
    const Recording german = ParseVectorPicture(text, 1);
    EXPECT_THROW(ParseVectorPicture("size 10 10\nline 0,5 1 2 3\n", 1), ResourceError);
    std::setlocale(LC_ALL, "C");
    std::locale::global(std::locale::classic());
    EXPECT_EQ(german.Size(), plain.Size());
    EXPECT_EQ(Nth<Recording::MoveToCmd>(german, 0).p, QPoint(0, 2));
    EXPECT_EQ(Nth<Recording::LineToCmd>(german, 1).p, QPoint(25, 0));
}

struct Fault {
    const char* text;
    int line;
    const char* what;
};

TEST(VectorFormat, FaultsNameThePictureAndTheLine) {
    const Fault faults[] = {
        {"", 1, "no size line"},
        {"# only a comment\n\n", 3, "no size line"},
        {"line 0 0 1 1\nsize 10 10\n", 1, "no size line"},
        {"size 10 10\nsize 10 10\n", 2, "repeated size line"},
        {"size 0 10\n", 1, "outside 1 to"},
        {"size 10 -5\n", 1, "outside 1 to"},
        {"size 100001 10\n", 1, "outside 1 to"},
        {"size 10\n", 1, "wrong number of arguments"},
        {"size 10 10\nfrobnicate 1 2\n", 2, "unknown command \"frobnicate\""},
        {"size 10 10\n\"line\" 0 0 1 1\n", 2, "must start with a command"},
        {"size 10 10\nline 0 0 1\n", 2, "wrong number of arguments"},
        {"size 10 10\nline 0 0\n", 2, "wrong number of arguments"},
        {"size 10 10\npoly 0 0 1 1\n", 2, "wrong number of arguments"},
        {"size 10 10\nrect 0 0 1 1 2\n", 2, "wrong number of arguments"},
        {"size 10 10\nellipse 0 0 1\n", 2, "wrong number of arguments"},
        {"size 10 10\ntext 1 1\n", 2, "wrong number of arguments"},
        {"size 10 10\nalign\n", 2, "wrong number of arguments"},
        {"size 10 10\npen 1\n", 2, "wrong number of arguments"},
        {"size 10 10\nbrush\n", 2, "wrong number of arguments"},
        {"size 10 10\nfont \"Arial\"\n", 2, "wrong number of arguments"},
        {"size 10 10\nline 0 0 1x 1\n", 2, "bad number \"1x\""},
        {"size 10 10\nline 0 0 +1 1\n", 2, "bad number"},
        {"size 10 10\nline 0 0 nan 1\n", 2, "bad number \"nan\""},
        {"size 10 10\nline 0 0 inf 1\n", 2, "bad number"},
        {"size 10 10\nline 0 0 1e300 1\n", 2, "bad number"},
        {"size ten 10\n", 1, "bad number"},
        {"size 10 10\nline 0 0 \"1\" 1\n", 2, "bad number"},
        {"size 10 10\npen 1 #12345\n", 2, "bad colour"},
        {"size 10 10\npen 1 #12345g\n", 2, "bad colour"},
        {"size 10 10\npen 1 123456\n", 2, "bad colour"},
        {"size 10 10\nbrush #-12345\n", 2, "bad colour"},
        {"size 10 10\nbrush white\n", 2, "bad colour"},
        {"size 10 10\npen -1 #000000\n", 2, "negative pen width"},
        {"size 10 10\npen 1 #000000 dashed\n", 2, "unknown pen style"},
        {"size 10 10\nalign middle\n", 2, "unknown alignment"},
        {"size 10 10\nfont Arial 10\n", 2, "quoted name"},
        {"size 10 10\nfont \"Arial\" 0\n", 2, "font height"},
        {"size 10 10\nfont \"Arial\" 10 heavy\n", 2, "unknown font option"},
        {"size 10 10\nfont \"Arial\" 10 #12\n", 2, "bad colour"},
        {"size 10 10\ntext 1 1 hello\n", 2, "quoted string"},
        {"size 10 10\ntext 1 1 \"hello\n", 2, "unterminated string"},
        {"size 10 10\ntext 1 1 \"hello\\\"\n", 2, "unterminated string"},
        {"size 10 10\ntext 1 1 \"a\"\"b\"\n", 2, "no blank after a string"},
        {"size 10 10\ntext 1 1 x\"b\"\n", 2, "quote inside a word"},
        {"size 10 10\nline 0 0 11 5\n", 2, "point (11, 5) outside"},
        {"size 10 10\nline 0 0 5 -1\n", 2, "outside the picture"},
        {"size 10 10\nrect 0 0 10 10\n\nrect 0 0 10 10.6\n", 4, "outside the picture"},
        {"size 10 10\npoly 0 0 5 5 20 0\n", 2, "outside the picture"},
        {"size 10 10\ntext 12 1 \"x\"\n", 2, "outside the picture"},
        {"size 10 10\npicture 2 0 0 5 5\n", 2, "cannot be nested"},
    };
    for (const Fault& f : faults) {
        SCOPED_TRACE(f.text);
        try {
            ParseVectorPicture(f.text, 4711);
            ADD_FAILURE() << "no error";
        } catch (const ResourceError& e) {
            const std::string where = "vector picture 4711, line " + std::to_string(f.line) + ":";
            EXPECT_THAT(e.what(), HasSubstr(where));
            EXPECT_THAT(e.what(), HasSubstr(f.what));
        }
    }
}

// Loads nested pictures from texts by number, reading them with the parser
// as the program's loader does.
struct TextLoader {
    std::map<int, std::string> texts;
    int calls = 0;
    Recording operator()(int number) {
        ++calls;
        const auto it = texts.find(number);
        if (it == texts.end()) throw ResourceError("no picture " + std::to_string(number));
        return ParseVectorPicture(it->second, number, std::ref(*this));
    }
};

TEST(VectorFormat, NestedPictureIsPlayedIntoItsBox) {
    TextLoader loader;
    loader.texts[2] = "size 20 10\nline 0 0 20 10\n";
    const Recording r = ParseVectorPicture("size 100 100\nbrush clear\npicture 2 60 50 10 30\n", 1,
                                           std::ref(loader));
    ASSERT_EQ(r.Commands().size(), 2u);
    const auto& play = Nth<Recording::PlayCmd>(r, 1);
    EXPECT_EQ(play.r, QRect(QPoint(10, 30), QPoint(60, 50)));
    ASSERT_TRUE(play.recording);
    EXPECT_EQ(play.recording->Size(), QSize(20, 10));
    EXPECT_EQ(play.recording->Commands().size(), 2u);
}

TEST(VectorFormat, NestedFaultsAreReportedWithTheNestingLine) {
    TextLoader loader;
    loader.texts[2] = "size 20 10\n\nline 0 0 30 10\n";
    try {
        ParseVectorPicture("size 100 100\n\npicture 2 0 0 50 50\n", 1, std::ref(loader));
        ADD_FAILURE() << "no error";
    } catch (const ResourceError& e) {
        EXPECT_THAT(e.what(), HasSubstr("vector picture 1, line 3: in nested picture 2"));
        EXPECT_THAT(e.what(), HasSubstr("vector picture 2, line 3: point (30, 10) outside"));
    }
    // A number the loader does not know.
    try {
        ParseVectorPicture("size 100 100\npicture 9 0 0 50 50\n", 1, std::ref(loader));
        ADD_FAILURE() << "no error";
    } catch (const ResourceError& e) {
        EXPECT_THAT(e.what(), HasSubstr("vector picture 1, line 2: in nested picture 9"));
        EXPECT_THAT(e.what(), HasSubstr("no picture 9"));
    }
}

TEST(VectorFormat, PictureContainingItselfIsRefusedNotRecursed) {
    TextLoader direct;
    direct.texts[5] = "size 10 10\npicture 5 0 0 5 5\n";
    EXPECT_THROW(direct(5), ResourceError);
    EXPECT_EQ(direct.calls, 1); // refused before asking the loader again

    TextLoader chain;
    chain.texts[1] = "size 10 10\npicture 2 0 0 5 5\n";
    chain.texts[2] = "size 10 10\npicture 3 0 0 5 5\n";
    chain.texts[3] = "size 10 10\n# back to the first\npicture 1 0 0 5 5\n";
    try {
        chain(1);
        ADD_FAILURE() << "no error";
    } catch (const ResourceError& e) {
        EXPECT_THAT(e.what(),
                    HasSubstr("vector picture 3, line 3: picture 1 would contain itself"));
        EXPECT_THAT(e.what(), HasSubstr("vector picture 1, line 2: in nested picture 2"));
    }
    EXPECT_EQ(chain.calls, 3);
    // After the refusal the same pictures read normally once the loop is gone.
    chain.texts[3] = "size 10 10\nline 0 0 1 1\n";
    EXPECT_NO_THROW(chain(1));
}

TEST(VectorFormat, EndlessChainOfDistinctPicturesStops) {
    int calls = 0;
    NestedPictureLoader endless;
    endless = [&](int number) {
        ++calls;
        const std::string next = std::to_string(number + 1);
        return ParseVectorPicture("size 10 10\npicture " + next + " 0 0 5 5\n", number, endless);
    };
    try {
        endless(1);
        ADD_FAILURE() << "no error";
    } catch (const ResourceError& e) {
        EXPECT_THAT(e.what(), HasSubstr("nested deeper than"));
    }
    EXPECT_LT(calls, 20);
}

} // namespace
} // namespace tavro
