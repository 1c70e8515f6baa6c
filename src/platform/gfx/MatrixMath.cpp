#include "platform/gfx/MatrixMath.h"

#include <cmath>

#include "platform/gfx/PlaneMath.h"
#include "platform/gfx/VectorMath.h"

namespace gfx {

Matrix MatrixIdentity() {
    return MatrixScaling(1.0f, 1.0f, 1.0f);
}

Matrix MatrixMultiply(const Matrix& a, const Matrix& b) {
    Matrix product;
    for (int row = 0; row < 4; ++row) {
        for (int column = 0; column < 4; ++column) {
            product.m[row][column] = a.m[row][0] * b.m[0][column] + a.m[row][1] * b.m[1][column] +
                                     a.m[row][2] * b.m[2][column] + a.m[row][3] * b.m[3][column];
        }
    }
    return product;
}

Matrix operator*(const Matrix& a, const Matrix& b) {
    return MatrixMultiply(a, b);
}

std::optional<Matrix> MatrixInverse(const Matrix& m, float* determinant) {
    // Cofactors from the 2x2 minors of the upper and the lower two rows,
    // worked in double so that composed view and world matrices keep their
    // precision.
    double a[4][4];
    for (int row = 0; row < 4; ++row) {
        for (int column = 0; column < 4; ++column) {
            a[row][column] = m.m[row][column];
        }
    }
    const double s0 = a[0][0] * a[1][1] - a[1][0] * a[0][1];
    const double s1 = a[0][0] * a[1][2] - a[1][0] * a[0][2];
    const double s2 = a[0][0] * a[1][3] - a[1][0] * a[0][3];
    const double s3 = a[0][1] * a[1][2] - a[1][1] * a[0][2];
    const double s4 = a[0][1] * a[1][3] - a[1][1] * a[0][3];
    const double s5 = a[0][2] * a[1][3] - a[1][2] * a[0][3];
    const double c0 = a[2][0] * a[3][1] - a[3][0] * a[2][1];
    const double c1 = a[2][0] * a[3][2] - a[3][0] * a[2][2];
    const double c2 = a[2][0] * a[3][3] - a[3][0] * a[2][3];
    const double c3 = a[2][1] * a[3][2] - a[3][1] * a[2][2];
    const double c4 = a[2][1] * a[3][3] - a[3][1] * a[2][3];
    const double c5 = a[2][2] * a[3][3] - a[3][2] * a[2][3];

    const double det = s0 * c5 - s1 * c4 + s2 * c3 + s3 * c2 - s4 * c1 + s5 * c0;
    if (determinant != nullptr) {
        *determinant = static_cast<float>(det);
    }
    if (det == 0.0 || !std::isfinite(det)) {
        return std::nullopt;
    }

    const double adjugate[4][4] = {
        {a[1][1] * c5 - a[1][2] * c4 + a[1][3] * c3, -a[0][1] * c5 + a[0][2] * c4 - a[0][3] * c3,
         a[3][1] * s5 - a[3][2] * s4 + a[3][3] * s3, -a[2][1] * s5 + a[2][2] * s4 - a[2][3] * s3},
        {-a[1][0] * c5 + a[1][2] * c2 - a[1][3] * c1, a[0][0] * c5 - a[0][2] * c2 + a[0][3] * c1,
         -a[3][0] * s5 + a[3][2] * s2 - a[3][3] * s1, a[2][0] * s5 - a[2][2] * s2 + a[2][3] * s1},
        {a[1][0] * c4 - a[1][1] * c2 + a[1][3] * c0, -a[0][0] * c4 + a[0][1] * c2 - a[0][3] * c0,
         a[3][0] * s4 - a[3][1] * s2 + a[3][3] * s0, -a[2][0] * s4 + a[2][1] * s2 - a[2][3] * s0},
        {-a[1][0] * c3 + a[1][1] * c1 - a[1][2] * c0, a[0][0] * c3 - a[0][1] * c1 + a[0][2] * c0,
         -a[3][0] * s3 + a[3][1] * s1 - a[3][2] * s0, a[2][0] * s3 - a[2][1] * s1 + a[2][2] * s0}};

    Matrix inverse;
    for (int row = 0; row < 4; ++row) {
        for (int column = 0; column < 4; ++column) {
            inverse.m[row][column] = static_cast<float>(adjugate[row][column] / det);
        }
    }
    return inverse;
}

Matrix MatrixTranslation(float x, float y, float z) {
    Matrix t = MatrixIdentity();
    t.m[3][0] = x;
    t.m[3][1] = y;
    t.m[3][2] = z;
    return t;
}

Matrix MatrixScaling(float sx, float sy, float sz) {
    Matrix s;
    s.m[0][0] = sx;
    s.m[1][1] = sy;
    s.m[2][2] = sz;
    s.m[3][3] = 1.0f;
    return s;
}

Matrix MatrixRotationX(float angle) {
    const float c = std::cos(angle);
    const float s = std::sin(angle);
    Matrix r = MatrixIdentity();
    r.m[1][1] = c;
    r.m[1][2] = s;
    r.m[2][1] = -s;
    r.m[2][2] = c;
    return r;
}

Matrix MatrixRotationY(float angle) {
    const float c = std::cos(angle);
    const float s = std::sin(angle);
    Matrix r = MatrixIdentity();
    r.m[0][0] = c;
    r.m[0][2] = -s;
    r.m[2][0] = s;
    r.m[2][2] = c;
    return r;
}

Matrix MatrixRotationZ(float angle) {
    const float c = std::cos(angle);
    const float s = std::sin(angle);
    Matrix r = MatrixIdentity();
    r.m[0][0] = c;
    r.m[0][1] = s;
    r.m[1][0] = -s;
    r.m[1][1] = c;
    return r;
}

Matrix MatrixRotationYawPitchRoll(float yaw, float pitch, float roll) {
    // The product RotationZ(roll) * RotationX(pitch) * RotationY(yaw) written out.
    const float cy = std::cos(yaw), sy = std::sin(yaw);
    const float cp = std::cos(pitch), sp = std::sin(pitch);
    const float cr = std::cos(roll), sr = std::sin(roll);
    Matrix r = MatrixIdentity();
    r.m[0][0] = cr * cy + sr * sp * sy;
    r.m[0][1] = sr * cp;
    r.m[0][2] = sr * sp * cy - cr * sy;
    r.m[1][0] = cr * sp * sy - sr * cy;
    r.m[1][1] = cr * cp;
    r.m[1][2] = sr * sy + cr * sp * cy;
    r.m[2][0] = cp * sy;
    r.m[2][1] = -sp;
    r.m[2][2] = cp * cy;
    return r;
}

Matrix MatrixLookAtLH(const Vector3& eye, const Vector3& at, const Vector3& up) {
    const Vector3 zAxis = Vec3Normalize(at - eye);
    const Vector3 xAxis = Vec3Normalize(Vec3Cross(up, zAxis));
    const Vector3 yAxis = Vec3Cross(zAxis, xAxis);
    Matrix view = MatrixIdentity();
    const Vector3 axes[3] = {xAxis, yAxis, zAxis};
    for (int column = 0; column < 3; ++column) {
        view.m[0][column] = axes[column].x;
        view.m[1][column] = axes[column].y;
        view.m[2][column] = axes[column].z;
        view.m[3][column] = -Vec3Dot(axes[column], eye);
    }
    return view;
}

Matrix MatrixPerspectiveFovLH(float fovY, float aspect, float zNear, float zFar) {
    const float yScale = 1.0f / std::tan(fovY / 2.0f);
    const float depth = zFar / (zFar - zNear);
    Matrix p;
    p.m[0][0] = yScale / aspect;
    p.m[1][1] = yScale;
    p.m[2][2] = depth;
    p.m[2][3] = 1.0f;
    p.m[3][2] = -zNear * depth;
    return p;
}

Matrix MatrixOrthoLH(float width, float height, float zNear, float zFar) {
    Matrix o = MatrixIdentity();
    o.m[0][0] = 2.0f / width;
    o.m[1][1] = 2.0f / height;
    o.m[2][2] = 1.0f / (zFar - zNear);
    o.m[3][2] = zNear / (zNear - zFar);
    return o;
}

Matrix MatrixReflect(const Plane& plane) {
    const Plane p = PlaneNormalize(plane);
    const float n[4] = {p.a, p.b, p.c, p.d};
    Matrix r = MatrixIdentity();
    for (int row = 0; row < 4; ++row) {
        for (int column = 0; column < 3; ++column) {
            r.m[row][column] -= 2.0f * n[row] * n[column];
        }
    }
    return r;
}

}  // namespace gfx
