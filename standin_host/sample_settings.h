// The settings file most players have: the twelve keys every release has read,
// each at its default code, and no keys of their own for the right and
// back-left throws. A key repeated after it overrides it (the later value
// wins), so a test writes twelveKeySettingsText + "iKnockout=75\n" to move one.
#pragma once

inline constexpr const char* twelveKeySettingsText =
    "[Pellimore]\n"
    "iXKey=88\n"
    "iKnockout=81\n"
    "iExecute=69\n"
    "iGrappleFront=105\n"
    "iGrappleBack=70\n"
    "iTackle=90\n"
    "iGrappleSwitchFrontToBack=66\n"
    "iGrappleSwitchBackToFront=71\n"
    "iGrappleSwitchFrontToMount=17\n"
    "iSubdue=78\n"
    "iGrappleThrowFront=38\n"
    "iGrappleThrowLeft=37\n";
