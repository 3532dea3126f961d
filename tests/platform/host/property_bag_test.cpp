#include "platform/host/property_bag.h"

#include <gtest/gtest.h>

#include <QImage>

#include "platform/host/errors.h"

namespace kelvane::host {
namespace {

Picture TinyBitmap() {
  QImage img(2, 3, QImage::Format_RGB32);
  img.fill(Qt::red);
  return Picture::fromBitmap(img);
}

TEST(PropertyBag, KeysIgnoreCaseAndAreStoredLowerCase) {
  PropertyBag bag;
  bag.Write("BTYPE", 5);
  bag.Write("ProgressLook", 3);
  bag.Write("TX", QString("one"));
  bag.Write("tx", QString("two"));  // the same key: replaces
  EXPECT_EQ(bag.ReadInt("BType", 2), 5);
  EXPECT_EQ(bag.ReadInt("PROGRESSLOOK", 0), 3);
  EXPECT_EQ(bag.ReadString("Tx", {}), "two");
  QStringList keys;
  for (const auto& [key, value] : bag.entries()) keys << key;
  EXPECT_EQ(keys, QStringList({"btype", "progresslook", "tx"}));
}

struct DefaultCase {
  const char* name;
  PropertyValue value;
  PropertyValue def;
  bool stored;
};

class PropertyBagDefaults : public testing::TestWithParam<DefaultCase> {};

TEST_P(PropertyBagDefaults, AValueEqualToItsDefaultIsNotStoredAndRemovesAnEarlierOne) {
  PropertyBag bag;
  bag.Write("Key", 12345);
  bag.Write("Key", GetParam().value, GetParam().def);
  EXPECT_EQ(bag.contains("key"), GetParam().stored);
}

FontDesc BoldFont() {
  FontDesc f;
  f.weight = 700;
  return f;
}

INSTANTIATE_TEST_SUITE_P(
    Values, PropertyBagDefaults,
    testing::Values(
        DefaultCase{"IntEqual", 100, 100, false}, DefaultCase{"IntDiffers", 99, 100, true},
        DefaultCase{"BoolEqual", true, true, false}, DefaultCase{"BoolDiffers", false, true, true},
        DefaultCase{"TextEqual", QString("a"), QString("a"), false},
        DefaultCase{"TextCaseDiffers", QString("A"), QString("a"), true},
        DefaultCase{"FontEqual", FontDesc{}, FontDesc{}, false},
        DefaultCase{"FontDiffers", BoldFont(), FontDesc{}, true},
        // A Boolean default of False matches a stored number 0, since saved layouts may hold either.
        DefaultCase{"ZeroAgainstFalse", 0, false, false}, DefaultCase{"MinusOneAgainstTrue", -1, true, false},
        DefaultCase{"TextAgainstNumber", QString("x"), 0, true}),
    [](const auto& test) { return std::string(test.param.name); });

TEST(PropertyBag, EmptyPictureIsNeverStored) {
  PropertyBag bag;
  bag.Write("PICN", TinyBitmap());
  ASSERT_TRUE(bag.contains("picn"));
  bag.Write("PICN", Picture{});  // clearing a picture drops the stored one
  EXPECT_FALSE(bag.contains("picn"));
}

TEST(PropertyBag, EachTypeRoundTrips) {
  PropertyBag bag;
  const FontDesc font{"Verdana", 10.5, 700, true, true, true, 238};
  const Picture pic = TinyBitmap();
  bag.Write("I", std::int32_t{-2147483647 - 1});
  bag.Write("B", false);
  bag.Write("S", QString("caf\u00e9 & co"));
  bag.Write("C", static_cast<std::int32_t>(0x80000005u));  // a system colour keeps its top bit
  bag.Write("F", font);
  bag.Write("P", pic);
  EXPECT_EQ(bag.ReadInt("i", 0), -2147483647 - 1);
  EXPECT_FALSE(bag.ReadBool("b", true));
  EXPECT_EQ(bag.ReadString("s", {}), QString("caf\u00e9 & co"));
  EXPECT_EQ(bag.ReadColor("c", 0), std::int32_t(0x80000005));
  EXPECT_EQ(bag.ReadFont("f", {}), font);
  EXPECT_EQ(bag.ReadPicture("p").handle(), pic.handle());
}

struct ConversionCase {
  const char* name;
  PropertyValue stored;
  PropertyValue asType;  // the default passed to Read: its type is the type asked for
  PropertyValue expected;
};

class PropertyBagConversions : public testing::TestWithParam<ConversionCase> {};

TEST_P(PropertyBagConversions, StoredValueIsConvertedToTheTypeRead) {
  PropertyBag bag;
  bag.Write("k", GetParam().stored);
  EXPECT_EQ(bag.Read("K", GetParam().asType), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(Types, PropertyBagConversions,
                         testing::Values(ConversionCase{"NumberAsBoolTrue", -1, false, true},
                                         ConversionCase{"NumberAsBoolFalse", 0, true, false},
                                         ConversionCase{"AnyNonzeroIsTrue", 7, false, true},
                                         ConversionCase{"TrueAsNumber", true, 0, -1},
                                         ConversionCase{"FalseAsNumber", false, 5, 0},
                                         ConversionCase{"TextNumberAsNumber", QString(" 42 "), 0, 42},
                                         ConversionCase{"TextHalfRoundsToEven", QString("2.5"), 0, 2},
                                         ConversionCase{"TextTrueAsBool", QString("True"), false, true},
                                         ConversionCase{"TextFalseAsNumber", QString("false"), 9, 0},
                                         ConversionCase{"TextNumberAsBool", QString("0"), true, false},
                                         ConversionCase{"NumberAsText", -12, QString(), QString("-12")},
                                         ConversionCase{"BoolAsText", true, QString(), QString("True")}),
                         [](const auto& test) { return std::string(test.param.name); });

struct BadConversionCase {
  const char* name;
  PropertyValue stored;
  PropertyValue asType;
  int error;
};

class PropertyBagBadConversions : public testing::TestWithParam<BadConversionCase> {};

TEST_P(PropertyBagBadConversions, RaiseAnErrorNamingTheKey) {
  PropertyBag bag;
  bag.Write("BTYPE", GetParam().stored);
  try {
    bag.Read("BType", GetParam().asType);
    FAIL() << "no error raised";
  } catch (const RuntimeError& e) {
    EXPECT_EQ(e.number(), GetParam().error);
    const std::string message = e.what();
    EXPECT_NE(message.find("\"BType\""), std::string::npos) << message;
    // A stored NUL or escape sequence stays visible instead of ending or garbling the message.
    EXPECT_NE(message.find(", which "), std::string::npos) << message;
    EXPECT_EQ(message.find('\x1b'), std::string::npos) << message;
  }
}

INSTANTIATE_TEST_SUITE_P(
    Types, PropertyBagBadConversions,
    testing::Values(BadConversionCase{"WordAsNumber", QString("big"), 0, kErrTypeMismatch},
                    BadConversionCase{"EmptyTextAsNumber", QString(""), 0, kErrTypeMismatch},
                    BadConversionCase{"WordAsBool", QString("maybe"), false, kErrTypeMismatch},
                    BadConversionCase{"HugeTextAsNumber", QString("3e10"), 0, kErrOverflow},
                    BadConversionCase{"FontAsNumber", FontDesc{}, 0, kErrTypeMismatch},
                    BadConversionCase{"NumberAsFont", 3, FontDesc{}, kErrTypeMismatch},
                    BadConversionCase{"NumberAsPicture", 3, Picture{}, kErrTypeMismatch},
                    BadConversionCase{"PictureAsText", TinyBitmap(), QString(), kErrTypeMismatch},
                    BadConversionCase{"ControlCharactersAsNumber", QString::fromLatin1("\0\x1b[2J", 5), 0,
                                      kErrTypeMismatch}),
    [](const auto& test) { return std::string(test.param.name); });

}  // namespace
}  // namespace kelvane::host
