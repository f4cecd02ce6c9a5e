#pragma once
// The look VornixClient's program block sets before it creates anything: the Fusion style
// (where it is missing the platform's own stays).
void ApplyClientStyle();
