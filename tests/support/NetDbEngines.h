#pragma once

#include "support/PgTestServer.h"

#include <gtest/gtest.h>
#include <string>

// The two databases a project can live in; the suites that take this
// parameter hold the same expectations for both.
enum class NetDbEngineKind { File, Server };

inline std::string engineName(const ::testing::TestParamInfo<NetDbEngineKind> &info)
{
    return info.param == NetDbEngineKind::File ? "File" : "Server";
}

#define RX24_ON_BOTH_ENGINES(Suite)                                                                          \
    INSTANTIATE_TEST_SUITE_P(Engines, Suite,                                                                 \
                             ::testing::Values(NetDbEngineKind::File, NetDbEngineKind::Server), engineName)
