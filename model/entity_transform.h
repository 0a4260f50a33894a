#pragma once

// An entity's placement: scale, Euler rotation and translation, combined in
// one of six rotation orders and one of six transform orders. The model
// matrix, the point transform and the normal transform compute the same
// transform, so a point lands where the matrix puts it.
//
// rotation_order  0 xyz  1 xzy  2 yxz  3 yzx  4 zxy  5 zyx   (first applied first)
// transform_order 0 RST  1 RTS  2 SRT  3 STR  4 TRS  5 TSR   (R rotation, S scale,
//                                                            T translation)
// An order outside 0 to 5 applies no rotation (rotation order) or only the
// rotation (transform order); the interface never produces one.

#include "model/entity.h"

// Translation 0, every scale 1 and every angle 0, compared exactly.
bool is_entity_transform_identity(const Entity& entity);
// Rebuilds both model matrices, and copies them to a group's members; a
// member keeps the matrices its group gave it.
void compute_entity_matrix(Entity& entity);
void transform_entity_point(const Entity& entity, double& x, double& y, double& z);
// Divides by the scale, rotates, never translates, and normalises. A zero
// vector, or one that a zero scale leaves without a direction, comes out zero.
void transform_entity_normal(const Entity& entity, double& x, double& y, double& z);
