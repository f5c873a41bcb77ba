#include "model/prepare_channel.h"

#include "model/channel_geometry.h"
#include "model/inlet_balance.h"

namespace vortane {

void PrepareChannel(CaseData& data, Messages& messages) {
    data.ChannelWidth = ComputeChannelWidth(data, messages);
    data.SectionOk = ComputeChannelSection(data.ChannelWidth, data.ChannelDepth, data.CornerRadius,
                                           data.SectionArea, data.EquivalentWidth, messages);
    if (data.SectionOk) {
        data.DragShapeFactor = DragShapeFactor(data.ChannelDepth, data.EquivalentWidth);
        data.PressureShapeFactor = PressureShapeFactor(data.ChannelDepth, data.EquivalentWidth);
    }
    ComputeInletBalance(data);
}

}  // namespace vortane
