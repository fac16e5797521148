// The root of the stored form the tests, the benchmark and the element sheet read: it holds
// SkinData1 with every value the main form stores and the default skin as its SkinStream data.
#pragma once

#include "framework/base/component.h"
#include "skin/data/skin_data.h"

namespace orvo {

class TSkinTestHost : public TComponent {
    ORVO_CLASS(TSkinTestHost, TComponent)
public:
    explicit TSkinTestHost(TComponent* owner) : TComponent(owner) {}
    static void Publish(TPublisher<TSkinTestHost>& p);
    TSkinData* SkinData1 = nullptr;
};

} // namespace orvo
