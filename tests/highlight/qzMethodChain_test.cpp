#include "highlight/qzMethodChain.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <stdexcept>
#include <string>
#include <vector>

namespace {

// Listeners that log their calls and may fail.
struct Listener {
  std::vector<std::string>* Log;
  std::string Tag;
  bool Fails = false;
  void Notify(TObject*) {
    Log->push_back(Tag);
    if (Fails) throw Exception(Tag + " failed");
  }
};

TEST(qzNotifyEventChain, FiresInOrderWithItsSender) {
  TObject sender;
  TqzNotifyEventChain chain(&sender);
  std::vector<TObject*> senders;
  std::vector<int> order;
  chain.Add(TNotifyEvent([&](TObject* s) { senders.push_back(s), order.push_back(1); }));
  chain.Add(TNotifyEvent([&](TObject* s) { senders.push_back(s), order.push_back(2); }));
  chain.Fire();
  EXPECT_EQ(order, (std::vector<int>{1, 2}));
  EXPECT_EQ(senders, (std::vector<TObject*>{&sender, &sender}));
}

TEST(qzNotifyEventChain, AddedTwiceFiresTwiceAndOneRemoveTakesBoth) {
  std::vector<std::string> log;
  Listener a{&log, "a"};
  Listener b{&log, "b"};
  TqzNotifyEventChain chain(nullptr);
  chain.Add(TNotifyEvent(&a, &Listener::Notify));
  chain.Add(TNotifyEvent(&b, &Listener::Notify));
  chain.Add(TNotifyEvent(&a, &Listener::Notify));
  chain.Fire();
  EXPECT_EQ(log, (std::vector<std::string>{"a", "b", "a"}));

  log.clear();
  chain.Remove(TNotifyEvent(&a, &Listener::Notify));
  chain.Fire();
  EXPECT_EQ(log, std::vector<std::string>{"b"});
  EXPECT_EQ(chain.Count(), 1);
}

TEST(qzNotifyEventChain, RemovingAnAbsentEventDoesNothing) {
  std::vector<std::string> log;
  Listener a{&log, "a"};
  Listener other{&log, "other"};
  TqzNotifyEventChain chain(nullptr);
  chain.Add(TNotifyEvent(&a, &Listener::Notify));
  chain.Remove(TNotifyEvent(&other, &Listener::Notify));  // same code, other data
  chain.Remove(TNotifyEvent([](TObject*) {}));
  chain.Fire();
  EXPECT_EQ(log, std::vector<std::string>{"a"});
}

TEST(qzNotifyEventChain, UnassignedEventsAreRefused) {
  TqzNotifyEventChain chain(nullptr);
  try {
    chain.Add(TNotifyEvent());
    FAIL() << "no exception";
  } catch (const EqzMethodChain& e) {
    EXPECT_EQ(e.Message, "TqzNotifyEventChain.Entry : the parameter `AEvent' must be specified.");
  }
  try {
    chain.Remove(TNotifyEvent());
    FAIL() << "no exception";
  } catch (const EqzMethodChain& e) {
    EXPECT_EQ(e.Message, "TqzNotifyEventChain.Remove: the parameter `AEvent' must be specified.");
  }
}

TEST(qzNotifyEventChain, AFailingEntryWithoutHandlerStopsTheWalkAndReachesTheCaller) {
  std::vector<std::string> log;
  Listener a{&log, "a"};
  Listener b{&log, "b", true};
  Listener c{&log, "c"};
  TqzNotifyEventChain chain(nullptr);
  for (Listener* l : {&a, &b, &c}) chain.Add(TNotifyEvent(l, &Listener::Notify));
  try {
    chain.Fire();
    FAIL() << "no exception";
  } catch (const Exception& e) {
    EXPECT_EQ(e.Message, "b failed");
  }
  EXPECT_EQ(log, (std::vector<std::string>{"a", "b"}));
}

TEST(qzNotifyEventChain, TheHandlerDecidesWhetherTheWalkGoesOn) {
  for (bool goOn : {false, true}) {
    SCOPED_TRACE(goOn);
    std::vector<std::string> log;
    Listener a{&log, "a", true};
    Listener b{&log, "b"};
    TqzNotifyEventChain chain(nullptr);
    chain.Add(TNotifyEvent(&a, &Listener::Notify));
    chain.Add(TNotifyEvent(&b, &Listener::Notify));
    std::vector<std::string> handled;
    chain.ExceptionHandler = TqzExceptionEvent([&](TObject* sender, Exception& e, bool& doContinue) {
      EXPECT_EQ(sender, &chain);
      EXPECT_TRUE(doContinue);
      handled.push_back(e.Message);
      doContinue = goOn;
    });
    EXPECT_NO_THROW(chain.Fire());
    EXPECT_EQ(handled, std::vector<std::string>{"a failed"});
    EXPECT_EQ(log, goOn ? (std::vector<std::string>{"a", "b"}) : (std::vector<std::string>{"a"}));
  }
}

TEST(qzNotifyEventChain, AFailingHandlerAndForeignExceptions) {
  TqzNotifyEventChain chain(nullptr);
  chain.Add(TNotifyEvent([](TObject*) { throw Exception("entry"); }));
  chain.ExceptionHandler = TqzExceptionEvent([](TObject*, Exception&, bool&) { throw 42; });
  try {
    chain.Fire();
    FAIL() << "no exception";
  } catch (const EqzMethodChain& e) {
    EXPECT_EQ(e.Message,
              "TqzNotifyEventChain.DoHandleException : MUST NOT occur any kind of exception in ExceptionHandler");
  }

  // What is not an exception of the class library passes the handler by.
  TqzNotifyEventChain foreign(nullptr);
  foreign.Add(TNotifyEvent([](TObject*) { throw std::runtime_error("foreign"); }));
  bool handled = false;
  foreign.ExceptionHandler = TqzExceptionEvent([&](TObject*, Exception&, bool&) { handled = true; });
  EXPECT_THROW(foreign.Fire(), std::runtime_error);
  EXPECT_FALSE(handled);
}

TEST(qzNotifyEventChain, EntriesMayUnhookWhileTheChainFires) {
  // Entries a..d; the removing entry unhooks the named ones during the first walk.
  struct UnhookCase {
    std::string Remover;
    std::vector<std::string> Removed;
    std::vector<std::string> FirstWalk;
    std::vector<std::string> SecondWalk;
  };
  const std::vector<UnhookCase> cases = {
      {"a", {"a"}, {"a", "b", "c", "d"}, {"b", "c", "d"}},  // itself
      {"c", {"a"}, {"a", "b", "c", "d"}, {"b", "c", "d"}},  // an earlier one
      {"b", {"c"}, {"a", "b", "d"}, {"a", "b", "d"}},       // a later one is not called any more
      {"b", {"a", "b", "d"}, {"a", "b", "c"}, {"c"}},
  };
  for (const UnhookCase& c : cases) {
    SCOPED_TRACE(c.Remover);
    std::vector<std::string> log;
    std::vector<Listener> listeners = {{&log, "a"}, {&log, "b"}, {&log, "c"}, {&log, "d"}};
    TqzNotifyEventChain chain(nullptr);
    bool first = true;
    for (Listener& l : listeners) {
      chain.Add(TNotifyEvent(&l, &Listener::Notify));
      if (l.Tag == c.Remover)
        chain.Add(TNotifyEvent([&](TObject*) {
          if (!first) return;
          for (Listener& r : listeners)
            if (std::find(c.Removed.begin(), c.Removed.end(), r.Tag) != c.Removed.end())
              chain.Remove(TNotifyEvent(&r, &Listener::Notify));
        }));
    }
    chain.Fire();
    EXPECT_EQ(log, c.FirstWalk);
    first = false;
    log.clear();
    chain.Fire();
    EXPECT_EQ(log, c.SecondWalk);
  }
}

}  // namespace
