#include "samplelibrary.h"

#include "editor/formulas.h"
#include "mainwindow/catalogs.h"
#include "store/store.h"
#include "variables/variables.h"

// The data below follows what the program's own dialogs would accept: catalog and formula
// names are letters and digits (they become table names), symbols are at most 20 characters
// and may appear in an expression, values are plain decimals with at most four places (the
// columns keep four), and every expression uses exactly its formula's parameter symbols and
// gives a finite number with the default values.

namespace {

struct SampleCatalog
{
    const char* name;
    const char* parent;  // empty: directly under the root
    const char* description;
};

// Parents come before their children: the tree is built in creation order.
constexpr SampleCatalog catalogs[] = {
    {"Mechanics", "", "Motion, forces, energy and power"},
    {"Beams", "Mechanics", "Deflection and stress of straight beams"},
    {"Electrical", "", "Circuits, resistance and electric power"},
    {"Fluids", "", "Pipe flow and hydrostatics"},
    {"Thermodynamics", "", "Heat, gases and thermal expansion"},
};

struct SampleVariable
{
    const char* catalog;  // empty: a global variable
    const char* symbol;
    const char* name;
    const char* value;
    const char* unit;
    const char* description;
};

// A catalog variable's symbol must not repeat a global one or one of the catalogs above it:
// the variable dialog refuses that.
constexpr SampleVariable variables[] = {
    {"", "g", "Standard gravity", "9.8067", "m/s²", "Standard acceleration of gravity, 9.80665 m/s²"},
    {"", "Rm", "Molar gas constant", "8.3145", "J/(mol·K)", "Universal gas constant"},
    {"", "p0", "Standard pressure", "101325", "Pa", "Standard atmospheric pressure"},
    {"", "T0", "Zero Celsius", "273.15", "K", "Absolute temperature of 0 °C"},
    {"Mechanics", "Esteel", "Modulus of steel", "210000", "N/mm²", "Young's modulus of structural steel"},
    {"Mechanics", "Ealu", "Modulus of aluminium", "70000", "N/mm²", "Young's modulus of aluminium alloys"},
    {"Mechanics", "rhoSteel", "Density of steel", "7850", "kg/m³", "Density of structural steel"},
    {"Electrical", "rhoCu", "Resistivity of copper", "0.0172", "Ω·mm²/m", "Copper at 20 °C"},
    {"Electrical", "rhoAl", "Resistivity of aluminium", "0.0282", "Ω·mm²/m", "Aluminium at 20 °C"},
    {"Electrical", "Umains", "Mains voltage", "230", "V", "Line-to-neutral voltage of the public grid"},
    {"Fluids", "rhoWater", "Density of water", "998.2", "kg/m³", "Water at 20 °C"},
    {"Fluids", "muWater", "Viscosity of water", "0.001", "Pa·s", "Dynamic viscosity of water at 20 °C"},
    {"Fluids", "rhoAir", "Density of air", "1.204", "kg/m³", "Dry air at 20 °C and 101325 Pa"},
};

struct SampleParameter
{
    const char* symbol;
    const char* name;
    const char* value;
    const char* unit;
    const char* description;
};

// The most parameters a sample formula has; the unused tail of the list has no symbol.
constexpr int MaxParameters = 7;

struct SampleFormula
{
    const char* parent;  // a catalog's name; empty: directly under the root
    const char* name;
    const char* function;
    const char* unit;
    const char* precision;
    const char* expression;
    const char* description;
    SampleParameter parameters[MaxParameters];
};

constexpr SampleFormula formulas[] = {
    {"", "KineticEnergy", "Ek", "J", "2", "m*v^2/2", "Kinetic energy of a moving body",
     {{"m", "Mass", "1200", "kg", "Mass of the body"},
      {"v", "Velocity", "13.9", "m/s", "Speed of the body"}}},
    {"", "PotentialEnergy", "Ep", "J", "2", "m*g*h", "Potential energy of a body lifted in the gravity field",
     {{"m", "Mass", "75", "kg", "Mass of the body"},
      {"g", "Gravity", "9.8067", "m/s²", "Acceleration of gravity"},
      {"h", "Height", "10", "m", "Height above the reference level"}}},
    {"", "QuadraticRoot", "x1", "-", "4", "(-b+sqrt(b^2-4*a*c))/(2*a)",
     "Larger real root of a*x^2 + b*x + c = 0",
     {{"a", "Quadratic coefficient", "1", "-", "Must not be zero"},
      {"b", "Linear coefficient", "-3", "-", ""},
      {"c", "Constant term", "2", "-", ""}}},

    {"Mechanics", "TorquePower", "P", "kW", "3", "2*_pi*n*M/60000", "Power transmitted by a rotating shaft",
     {{"n", "Speed", "1450", "rpm", "Revolutions per minute"},
      {"M", "Torque", "50", "N·m", "Torque on the shaft"}}},
    {"Mechanics", "ProjectileRange", "R", "m", "2", "v^2*sin(2*alpha*_pi/180)/g",
     "Range of a projectile on level ground, without air resistance",
     {{"v", "Launch speed", "20", "m/s", ""},
      {"alpha", "Launch angle", "45", "°", "Angle above the horizontal"},
      {"g", "Gravity", "9.8067", "m/s²", "Acceleration of gravity"}}},
    {"Mechanics", "CentripetalForce", "Fc", "N", "2", "m*v^2/r", "Force that keeps a body on a circular path",
     {{"m", "Mass", "1500", "kg", "Mass of the body"},
      {"v", "Speed", "20", "m/s", "Speed along the path"},
      {"r", "Radius", "50", "m", "Radius of the path"}}},

    // Beams use N and mm throughout, as steel tables do; the section defaults are an IPE 200.
    {"Beams", "CantileverDeflection", "f", "mm", "3", "F*L^3/(3*E*I)",
     "Deflection at the free end of a cantilever under an end load",
     {{"F", "End load", "1000", "N", "Point load at the free end"},
      {"L", "Length", "2000", "mm", "Length of the cantilever"},
      {"E", "Modulus of elasticity", "210000", "N/mm²", "Young's modulus of the material"},
      {"I", "Second moment of area", "19430000", "mm⁴", "About the bending axis"}}},
    {"Beams", "SimpleBeamDeflection", "f", "mm", "3", "5*q*L^4/(384*E*I)",
     "Mid-span deflection of a simply supported beam under a uniform load",
     {{"q", "Line load", "5", "N/mm", "Uniform load along the span"},
      {"L", "Span", "6000", "mm", "Distance between the supports"},
      {"E", "Modulus of elasticity", "210000", "N/mm²", "Young's modulus of the material"},
      {"I", "Second moment of area", "19430000", "mm⁴", "About the bending axis"}}},
    {"Beams", "RectSectionModulus", "W", "mm³", "1", "b*h^2/6", "Elastic section modulus of a solid rectangle",
     {{"b", "Width", "100", "mm", "Width of the section"},
      {"h", "Height", "200", "mm", "Height of the section, in the bending plane"}}},
    {"Beams", "BendingStress", "sigma", "N/mm²", "2", "M*1000/W", "Largest bending stress in a section",
     {{"M", "Bending moment", "15000", "N·m", ""},
      {"W", "Section modulus", "194000", "mm³", "Elastic section modulus"}}},

    {"Electrical", "OhmsLaw", "U", "V", "3", "R*I", "Voltage across a resistor",
     {{"R", "Resistance", "220", "Ω", ""},
      {"I", "Current", "0.05", "A", ""}}},
    {"Electrical", "WireResistance", "R", "Ω", "4", "rho*L/A", "Resistance of a wire of uniform cross-section",
     {{"rho", "Resistivity", "0.0172", "Ω·mm²/m", "Copper at 20 °C"},
      {"L", "Length", "50", "m", "Length of the wire"},
      {"A", "Cross-section", "1.5", "mm²", "Conductor cross-section"}}},
    {"Electrical", "ThreePhasePower", "P", "kW", "2", "sqrt(3)*U*I*cosphi/1000",
     "Active power of a balanced three-phase load",
     {{"U", "Line voltage", "400", "V", "Voltage between two lines"},
      {"I", "Line current", "16", "A", ""},
      {"cosphi", "Power factor", "0.85", "-", ""}}},
    {"Electrical", "CapacitorCharge", "u", "V", "3", "U0*(1-exp(-t/(R*C)))",
     "Voltage of a capacitor charged through a resistor",
     {{"U0", "Supply voltage", "12", "V", ""},
      {"R", "Resistance", "10000", "Ω", "Series resistance"},
      {"C", "Capacitance", "0.0001", "F", ""},
      {"t", "Time", "1", "s", "Time since the supply was switched on"}}},
    {"Electrical", "ResonantFrequency", "f0", "Hz", "2", "1/(2*_pi*sqrt(L*C))",
     "Resonant frequency of an LC circuit",
     {{"L", "Inductance", "0.01", "H", ""},
      {"C", "Capacitance", "0.0001", "F", ""}}},

    {"Fluids", "ReynoldsNumber", "Re", "-", "1", "rho*v*D/mu", "Reynolds number of a pipe flow",
     {{"rho", "Density", "998.2", "kg/m³", "Density of the fluid"},
      {"v", "Mean velocity", "1.5", "m/s", ""},
      {"D", "Inner diameter", "0.05", "m", ""},
      {"mu", "Dynamic viscosity", "0.001", "Pa·s", ""}}},
    // Darcy-Weisbach, with the friction factor of the Swamee-Jain approximation of Colebrook.
    {"Fluids", "PipePressureDrop", "dp", "Pa", "1",
     "0.25/log10(k/(3700*D)+5.74/(rho*v*D/mu)^0.9)^2*L/D*rho*v^2/2",
     "Pressure loss of a turbulent flow in a straight round pipe",
     {{"L", "Pipe length", "100", "m", ""},
      {"D", "Inner diameter", "0.05", "m", ""},
      {"rho", "Density", "998.2", "kg/m³", "Density of the fluid"},
      {"v", "Mean velocity", "1.5", "m/s", ""},
      {"mu", "Dynamic viscosity", "0.001", "Pa·s", ""},
      {"k", "Wall roughness", "0.045", "mm", "Commercial steel pipe"}}},
    {"Fluids", "HydrostaticPressure", "p", "Pa", "1", "rho*g*h", "Gauge pressure at a depth in a liquid at rest",
     {{"rho", "Density", "998.2", "kg/m³", "Density of the liquid"},
      {"g", "Gravity", "9.8067", "m/s²", "Acceleration of gravity"},
      {"h", "Depth", "10", "m", "Depth below the surface"}}},

    {"Thermodynamics", "IdealGasPressure", "p", "Pa", "1", "n*Rm*T/V", "Pressure of an ideal gas",
     {{"n", "Amount of substance", "1", "mol", ""},
      {"Rm", "Molar gas constant", "8.3145", "J/(mol·K)", ""},
      {"T", "Temperature", "293.15", "K", "Absolute temperature"},
      {"V", "Volume", "0.0241", "m³", ""}}},
    {"Thermodynamics", "ThermalExpansion", "dL", "mm", "3", "alpha*L0*dT/1000",
     "Change of length of a rod heated or cooled",
     {{"alpha", "Expansion coefficient", "12", "µm/(m·K)", "Steel: about 12"},
      {"L0", "Length", "2", "m", "Length at the starting temperature"},
      {"dT", "Temperature change", "50", "K", ""}}},
    {"Thermodynamics", "CompositeWallHeatFlow", "Q", "W", "1", "A*(Ti-To)/(1/hi+d/k+1/ho)",
     "Steady heat flow through an insulated wall, film coefficients included",
     {{"A", "Wall area", "12", "m²", ""},
      {"Ti", "Inside temperature", "20", "°C", ""},
      {"To", "Outside temperature", "-5", "°C", ""},
      {"hi", "Inside film coefficient", "7.7", "W/(m²·K)", ""},
      {"d", "Insulation thickness", "0.1", "m", ""},
      {"k", "Thermal conductivity", "0.04", "W/(m·K)", "Of the insulation"},
      {"ho", "Outside film coefficient", "25", "W/(m²·K)", ""}}},
    {"Thermodynamics", "CarnotEfficiency", "eta", "%", "2", "100*(1-Tc/Th)",
     "Highest efficiency of a heat engine between two temperatures",
     {{"Tc", "Cold reservoir", "300", "K", "Absolute temperature"},
      {"Th", "Hot reservoir", "800", "K", "Absolute temperature"}}},
};

QString text(const char* utf8)
{
    return QString::fromUtf8(utf8);
}

Formula toFormula(const SampleFormula& sample)
{
    Formula formula{text(sample.name), text(sample.function), text(sample.unit), text(sample.expression),
                    text(sample.description), text(sample.precision), {}};
    for (const SampleParameter& parameter : sample.parameters) {
        if (!parameter.symbol)
            break;
        formula.parameters.append({text(parameter.name), text(parameter.symbol), text(parameter.unit),
                                   text(parameter.value), text(parameter.description)});
    }
    return formula;
}

} // namespace

void fillSampleLibrary(Store& store)
{
    Store::Transaction transaction(store);
    for (const SampleCatalog& catalog : catalogs)
        Catalogs::add(store, text(catalog.name), text(catalog.parent), text(catalog.description));
    for (const SampleVariable& variable : variables) {
        // A catalog's own table bears the catalog's name as it was created.
        const QString table = *variable.catalog ? text(variable.catalog) : QStringLiteral("GlobalVariant");
        Variables::add(store, table,
                       {text(variable.name), text(variable.symbol), text(variable.unit), text(variable.value),
                        text(variable.description)});
    }
    for (const SampleFormula& formula : formulas)
        Formulas::add(store, toFormula(formula), text(formula.parent));
    transaction.commit();
}
