// A short-lived picture over the field. The Game keeps effects in its slots, updates and draws
// each once per frame, and deletes it on the frame its update reports the end.
#pragma once

class BackBuffer;

class Effect {
  public:
    virtual ~Effect() = default;
    // One frame; false once the effect has ended.
    virtual bool Update() = 0;
    virtual void Draw(BackBuffer& target) = 0;
};
