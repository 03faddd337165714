// The fields and the info box follow the user's decimal separator. Run by
// ctest a second time under a locale with a decimal comma.

#include <QLocale>

#include "UiTestSupport.h"

using namespace uitest;

TEST_F(Window, LocaleSeparatorIsTheOnlyOneTheFieldsAccept)
{
    const QString separator = QLocale::system().decimalPoint();
    const QString other = separator == "," ? "." : ",";
    ErrorBoxes boxes;
    drawRequest("0", "2", "-1" + separator + "5");
    EXPECT_EQ(Form28->Label6->text(), "(0" + separator + "75,0)");
    EXPECT_EQ(Form28->Label8->text(), "(0,-1" + separator + "5)");
    drawRequest("1" + other + "5", "", "");
    ASSERT_EQ(boxes.texts.size(), 1u);
    EXPECT_EQ(boxes.texts[0], "'1" + other + "5' is not a valid floating point value.");
    drawRequest(separator, "", "");  // a lone separator reads as 0
    EXPECT_EQ(Unit28::a, 0.0);
    EXPECT_EQ(Unit28::fxnum, 2);
}
