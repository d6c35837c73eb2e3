#include "tolvane/clientparam.h"

#include <gtest/gtest.h>

TEST(ClientParamTest, ValuesTheAccessorsShape) {
  ClientParam* cp = ClientParam::instance();
  const vekbase::BaseClientParam* base = cp;
  EXPECT_EQ(0.97, base->confidenceDecay());
  EXPECT_EQ(0.5, base->confidenceMinValid());

  cp->begin();
  cp->setParameter("when-to-turn", "200");
  EXPECT_EQ(-160.0, double(cp->whenToTurn()));
  // A directory gets its "/" once; an empty one stays empty.
  const std::pair<const char*, const char*> dirs[] = {{"logs", "logs/"}, {"", ""}, {"/x/", "/x/"}};
  for (const auto& d : dirs) {
    cp->setParameter("action-log-dir", d.first);
    cp->setParameter("message-log-dir", d.first);
    EXPECT_EQ(d.second, cp->actionLogDir());
    EXPECT_EQ(d.second, cp->messageLogDir());
  }
  cp->end();
  cp->begin();
}
