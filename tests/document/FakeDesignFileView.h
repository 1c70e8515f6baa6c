#pragma once

#include <tuple>

#include "document/DesignFileView.h"

// The 3D view as a design file reaches it, keeping what it is given.
class FakeDesignFileView : public IDesignFileView {
public:
    DesignViewState GetViewState() const override { return state; }
    ShadowColor GetShadowColor() const override { return shadow; }
    const ViewPointTable& GetViewPointTable() const override { return table; }
    void ApplyViewState(const DesignViewState& applied, const AmbientBytes& colour) override {
        state = applied;
        ambient = colour;
        ++applications;
    }
    void SetShadowColor(const ShadowColor& colour) override { shadow = colour; }
    void SetViewPointTable(const ViewPointTable& points) override { table = points; }
    void SetStoredIdCounter(double counter) override { storedIdCounter = counter; }

    DesignViewState state;
    ShadowColor shadow = {0.0f, 0.0f, 0.0f, 0.4f};
    ViewPointTable table{};
    AmbientBytes ambient = {255, 255, 255};
    double storedIdCounter = 0.0;
    int applications = 0;

    auto Values() const {
        return std::tie(state, shadow, table, ambient, storedIdCounter, applications);
    }
    bool operator==(const FakeDesignFileView& other) const { return Values() == other.Values(); }
};
