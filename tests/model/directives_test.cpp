#include "model/directives.h"

#include <gtest/gtest.h>

#include "tests/platform/trace_capture.h"

using Texts = std::vector<std::string>;

TEST(Directives, KeywordsMatchAtTheFirstByteInAnyCaseAndNameTheFirstArgument)
{
    EXPECT_EQ(scan_camera_directives("#cam(a){0,0,5,0,0,0}\n  #CAM(b){1,1,1,0,0,0}\n"
                                     "#camera(c){0,1,2,3,4,5}"),
              (Texts{"#cam(a){0,0,5,0,0,0}", "#camera(c){0,1,2,3,4,5}"}));
    EXPECT_EQ(scan_camera_directives("#VIEW(a)\r\n#view(b)\n#VIEWS(c)\n#VARIANT(d)\n"),
              (Texts{"#VIEW(a)\r", "#view(b)", "#VIEWS(c)"}));
    EXPECT_EQ(scan_variant_directives("#PARAMETER(x){a=1}\n#pset(y)\n#VARIANT(z)\n#CAM(w)"),
              (Texts{"#PARAMETER(x){a=1}", "#pset(y)", "#VARIANT(z)"}));
    EXPECT_EQ(scan_anim_directives("#ANIMATE(x)\nx #ANIM\n\n#anim\n"),
              (Texts{"#ANIMATE(x)", "#anim"}));
    EXPECT_TRUE(scan_anim_directives("").empty());

    // A directive's name is its first argument without blanks.
    EXPECT_EQ(extract_paren_args("#CAM( front view , 2)"), "frontview");
    EXPECT_EQ(extract_variant_directive_args("#VARIANT(tall){h=3}"), "tall");
    EXPECT_EQ(extract_camera_directive_args("#CAM(){1,2,3,4,5,6}"), "?");
    EXPECT_EQ(extract_paren_args("#CAM( \t ){1}"), "?");
    EXPECT_EQ(extract_paren_args("#ANIM"), "?");
    EXPECT_EQ(extract_paren_args("#CAM(open"), "?");
    EXPECT_EQ(extract_paren_args("#CAM,x(name)"), "name") << "a closer before '(' is ignored";
}

TEST(Directives, CameraBodiesHoldSixNumbersAndVariantBodiesPairs)
{
    double a[6] = {9, 9, 9, 9, 9, 9};
    EXPECT_TRUE(extract_brace_body("#CAM(a){ 1, 2, 3, 4, 5, 6 }", a));
    EXPECT_EQ(a[5], 6.0);
    EXPECT_TRUE(extract_brace_body("#CAM(a){1,2,3,4,5,6,7}", a));
    double b[6] = {9, 9, 9, 9, 9, 9};
    EXPECT_FALSE(extract_brace_body("#CAM(a){7,8,6}", b));
    EXPECT_EQ(b[2], 6.0);
    EXPECT_EQ(b[3], 9.0) << "numbers read before the mismatch are kept";
    EXPECT_FALSE(extract_brace_body("#CAM(a){5;2;3;4;5;6}", b));
    EXPECT_EQ(b[0], 5.0);
    EXPECT_EQ(b[1], 8.0);
    EXPECT_FALSE(extract_brace_body("#CAM(a){1,2,3,4,5,6", b));
    EXPECT_FALSE(extract_brace_body("#CAM(a)}1,2,3,4,5,6{", b));
    EXPECT_EQ(b[0], 5.0);
    EXPECT_FALSE(extract_brace_body("#CAM(a){1,2,3,4,5,6}", nullptr));

    TraceCapture trace; // variant bodies are name and value pairs
    EXPECT_EQ(extract_variant_brace_body("#VARIANT(tall){ height = 3.5; width: 2 }"),
              (Texts{"height", "3.5", "width", "2"}));
    EXPECT_EQ(extract_variant_brace_body("#PSET(q){label = 'a b'}"), (Texts{"label", "'ab'"}));
    EXPECT_EQ(extract_variant_brace_body("{a={b}}"), (Texts{"a", "{b}"}));
    EXPECT_TRUE(extract_variant_brace_body("#VARIANT(x){}").empty());
    EXPECT_EQ(trace.text(), "");
    EXPECT_TRUE(extract_variant_brace_body("#VARIANT(x){a=1;b}").empty());
    EXPECT_EQ(trace.text(), "PARITY-ISSUE-IN-PARAMETRIC-VARIANT! [3];\n");
}
