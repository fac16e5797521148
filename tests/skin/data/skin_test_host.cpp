#include "tests/skin/data/skin_test_host.h"

#include "framework/base/properties.h"

namespace orvo {

ORVO_IMPLEMENT_CLASS(TSkinTestHost);

void TSkinTestHost::Publish(TPublisher<TSkinTestHost>& p) {
    p.Field(L"SkinData1", &TSkinTestHost::SkinData1);
}

} // namespace orvo
