#include <gtest/gtest.h>

#include "quelt/quelt_core/Exception.h"

namespace {

TEST(ExceptionTest, MessageSurvivesCopiesAndWhatIsNeverNull) {
    Quelt::LogicalException original("no driver");
    const Quelt::LogicalException copy = original;
    EXPECT_STREQ("no driver", copy.message());
    EXPECT_STREQ("no driver", copy.what());

    const Quelt::LogicalException silent(nullptr);
    EXPECT_EQ(nullptr, silent.message());
    ASSERT_NE(nullptr, silent.what());
    EXPECT_STRNE("", silent.what());
}

TEST(ExceptionTest, InternalExceptionNamesWhereThePromiseBroke) {
    try {
        throw Quelt::InternalException("quelt/quelt_ocl/Device", 111,
                                       "property_typename == type_name");
    } catch (const Quelt::ExceptionBase& caught) {
        const auto& internal = dynamic_cast<const Quelt::InternalException&>(caught);
        EXPECT_STREQ("quelt/quelt_ocl/Device", internal.file());
        EXPECT_EQ(111, internal.line());
        EXPECT_STREQ("property_typename == type_name", internal.message());
        EXPECT_STREQ("quelt/quelt_ocl/Device(111): property_typename == type_name",
                     internal.what());
    }
}

}  // namespace
