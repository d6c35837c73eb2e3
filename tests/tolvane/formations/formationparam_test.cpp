#include "tolvane/formations/formationparam.h"

#include <gtest/gtest.h>

#include <string>

#include "../paramtest_util.h"
#include "testutil/logcapture.h"
#include "testutil/tempdir.h"
#include "testutil/text.h"

using Formations::FormationParam;

namespace {

std::string repeat(const std::string& s, int n) { return n ? s + repeat(s, n - 1) : ""; }

// A formation's listing from its position, role and role-table lines.
std::string formation(const std::string& xy, const std::string& roles, const std::string& table) {
  return xy + "role:         " + roles + table + "\ny-min:        " + repeat("-34 ", 11) +
         "\ny-max:        " + repeat("34 ", 11) + "\n";
}

const std::string ONE_ROLE = "\nx-attraction: 0 \ny-attraction: 0 \nbehind:       0 "
                             "\nx-min:        -1000 \nx-max:        1000 \ny-clip:       0 "
                             "\ny-clip-attr:  0 ";
const std::string NO_POSITIONS =
    "x-position: " + repeat("0 ", 11) + "\ny-position: " + repeat("0 ", 11) + "\n";

std::string pos(FormationParam* fp, unsigned int u, const Vector2D& ball, double maxX) {
  return testutil::text(fp->currentFormation().strategicPosition(u, ball, maxX));
}

} // namespace

// Needs the store as the process starts, so it comes first.
TEST(FormationParamTest, FormationFileBuildsTable) {
  FormationParam* fp = FormationParam::instance();
  EXPECT_EQ(FormationParam::SETUP, fp->getFormationType());
  testutil::TempDir tmp;
  fp->getOptions(tmp.file("formations.conf", "formation 2\n"
                                             "role 0 1 1 1 1 1 1 1 1 1 1\n"
                                             "x-min -40 -30\n"
                                             "behind 0 2\n"
                                             "attacking-formation 2\n"));
  EXPECT_EQ("setup-formation: 0\ndefault-formation: 0\ndefensive-formation: 0\n"
            "attacking-formation: 2\n\nFormation: 0\n" +
                formation("x-position: -50 -16 -17 -17 -16 -8 -5 -5 -1 -1 -1 \n"
                          "y-position: 0 16 5 -5 -16 0 10 -10 1 22 -22 \n",
                          repeat("0 ", 11), ONE_ROLE) +
                "\nFormation: 1\n" + formation(NO_POSITIONS, repeat("0 ", 11), ONE_ROLE) +
                "\nFormation: 2\n" +
                formation(NO_POSITIONS, "0 " + repeat("1 ", 10),
                          "\nx-attraction: 0 0 \ny-attraction: 0 0 \nbehind:       0 1 "
                          "\nx-min:        -40 -30 \nx-max:        1000 1000 "
                          "\ny-clip:       0 0 \ny-clip-attr:  0 0 ") +
                "\n## List of role types:\n## 0 unknown\n## 1 goalie\n## 2 defender\n"
                "## 3 wing defender\n## 4 midfielder\n## 5 wing midfielder\n## 6 attacker\n"
                "## 7 wing attacker\n\n",
            paramtest::listing(*FormationParam::instance()));

  // Formation 2 only in the attacking situation; role 1 stays behind the
  // ball, but its lower x limit wins.
  EXPECT_EQ("V(-50, 0)", pos(fp, 1, Vector2D(-50, 0), 0));
  fp->setFormationType(FormationParam::ATTACKING);
  EXPECT_EQ("V(-30, 0)", pos(fp, 2, Vector2D(-50, 0), 0));
  EXPECT_EQ("V(-10, 0)", pos(fp, 2, Vector2D(-10, 0), 0));

  // A second file goes on with the formation selected last.
  fp->getOptions(tmp.file("more.conf", "x-position: 1 2 3 4 5 6 7 8 9 10 11\n"));
  EXPECT_EQ(11.0, fp->currentFormation().getBaseXPosition(11));
  fp->setFormationType(FormationParam::NONE);
  EXPECT_EQ(-50.0, fp->currentFormation().getBaseXPosition(1));
  fp->setFormationType(FormationParam::SETUP);
}

TEST(FormationParamTest, BadNumbersAreRefused) {
  FormationParam* fp = FormationParam::instance();
  testutil::LogCapture capture;

  fp->setParameter("formation", "1");
  fp->setParameter("formation", "-1");
  fp->setParameter("formation", "1000000");
  EXPECT_FALSE(fp->setParameter("role", "0 0 0 0 0 0 0 0 0 0 16"));
  fp->setParameter("x-position", "7 7 7 7 7 7 7 7 7 7 7");
  const std::string after = paramtest::listing(*FormationParam::instance());
  // Nothing allocated; formation 1 is still the one being defined.
  EXPECT_EQ(std::string::npos, after.find("Formation: 3"));
  EXPECT_NE(std::string::npos, after.find("Formation: 1\nx-position: 7 7 7"));

  fp->setParameter("defensive-formation", "50");
  fp->setFormationType(FormationParam::DEFENSIVE);
  EXPECT_EQ(-50.0, fp->currentFormation().getBaseXPosition(1));
  fp->setFormationType(FormationParam::SETUP);

  fp->end();
  capture.clear();
  fp->setParameter("formation", "0");
  fp->begin();
  EXPECT_EQ("FormationParam has to be started first\n", capture.text());
}
